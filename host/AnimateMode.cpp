// The host's animation mode switch (the "Auto Key" button), one per process.
#include <atomic>

#include "ParamBlock2.h"

namespace {
std::atomic<bool> animating{false};
}

void SetAnimateMode(bool on) {
    animating.store(on);
}

bool IsAnimateMode() {
    return animating.load();
}

// libFuzzer target of the scene loader (built with -DTAVRO_FUZZ=ON and clang).
#include <string>

#include "tests/fuzz/SceneLoadEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    loadSceneCandidate(data, size, "fuzz.tvs", error);
    return 0;
}

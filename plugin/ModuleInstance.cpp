#include "plugin/ModuleInstance.h"

#include "WinApi.h"

namespace {

// Longest text a load returns, terminator included.
constexpr int kStringBufferChars = 512;

HINSTANCE instanceHandle = nullptr;
MCHAR stringBuffer[kStringBufferChars];

}  // namespace

HINSTANCE moduleInstance() {
    return instanceHandle;
}

void setModuleInstance(HINSTANCE instance) {
    instanceHandle = instance;
}

const MCHAR* LoadResString(int id) {
    if (instanceHandle == nullptr || id < 0) return nullptr;
    const int length =
        LoadStringW(instanceHandle, static_cast<UINT>(id), stringBuffer, kStringBufferChars);
    return length > 0 ? stringBuffer : nullptr;
}

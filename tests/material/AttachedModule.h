// The module's code linked into a test program: its resources registered under a stand-in
// instance handle, and its entry routine run with process attach, as the loader would.
#pragma once

#include "ModuleResources.h"
#include "PluginExports.h"
#include "WinApi.h"

inline HINSTANCE attachModule() {
    static int anchor;
    static HINSTANCE const instance = [] {
        HINSTANCE h = reinterpret_cast<HINSTANCE>(&anchor);
        RegisterModuleResources(h, ModuleResources());
        return h;
    }();
    DllMain(instance, DLL_PROCESS_ATTACH, nullptr);
    return instance;
}

// The module's entry routine and the functions the host looks up by name.
#include "PluginExports.h"
#include "WinApi.h"
#include "material/PreviewTextures.h"
#include "params/TavroParamBlock.h"
#include "plugin/ModuleInstance.h"
#include "plugin/TavroClassDesc.h"
#include "resources/ResourceTable.h"
#include "resources/StringIds.h"

namespace {

// The module-wide objects, built while the module loads in this order and destroyed at
// unload in reverse: the class descriptor, the parameter-block descriptor (which registers
// with it), the preview textures. The legacy layouts are constant data, there from the start.
const bool moduleObjectsBuilt = [] {
    tavroClassDesc();
    tavroParamBlockDesc();
    previewTextures();
    return true;
}();

}  // namespace

BOOL DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        setModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

const MCHAR* LibDescription() {
    return LoadResString(IDS_LIB_DESCRIPTION);
}

int LibNumberClasses() {
    return 1;
}

ClassDesc* LibClassDesc(int i) {
    return i == 0 ? &tavroClassDesc() : nullptr;
}

int LibInitialize() {
    return TRUE;
}

int LibShutdown() {
    return TRUE;
}

const ModuleResourceTable* ModuleResources() {
    return tavroModuleResources();
}

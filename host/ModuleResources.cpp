// The host's record of each loaded module instance: its resource tables and whether it
// turned off thread notifications.
#include "ModuleResources.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "WinApi.h"

namespace {

struct InstanceRecord {
    HINSTANCE instance = nullptr;
    const ModuleResourceTable* resources = nullptr;
    bool threadCallsDisabled = false;
};

std::mutex registryMutex;
std::vector<InstanceRecord> registry;

InstanceRecord* find(HINSTANCE instance) {
    auto it = std::find_if(registry.begin(), registry.end(),
                           [&](const InstanceRecord& r) { return r.instance == instance; });
    return it == registry.end() ? nullptr : &*it;
}

InstanceRecord& findOrAdd(HINSTANCE instance) {
    if (InstanceRecord* r = find(instance)) return *r;
    registry.push_back(InstanceRecord{instance});
    return registry.back();
}

}  // namespace

void RegisterModuleResources(HINSTANCE instance, const ModuleResourceTable* table) {
    if (!instance) return;
    std::lock_guard lock(registryMutex);
    findOrAdd(instance).resources = table;
}

void UnregisterModuleResources(HINSTANCE instance) {
    std::lock_guard lock(registryMutex);
    registry.erase(std::remove_if(registry.begin(), registry.end(),
                                  [&](const InstanceRecord& r) { return r.instance == instance; }),
                   registry.end());
}

const ModuleResourceTable* FindModuleResources(HINSTANCE instance) {
    std::lock_guard lock(registryMutex);
    const InstanceRecord* r = find(instance);
    return r ? r->resources : nullptr;
}

const DialogTemplate* FindDialogTemplate(HINSTANCE instance, int resourceId) {
    const ModuleResourceTable* table = FindModuleResources(instance);
    if (!table || !table->dialogs) return nullptr;
    for (std::size_t i = 0; i < table->dialogCount; ++i)
        if (table->dialogs[i].resourceId == resourceId) return &table->dialogs[i];
    return nullptr;
}

BOOL DisableThreadLibraryCalls(HINSTANCE instance) {
    if (!instance) return FALSE;
    std::lock_guard lock(registryMutex);
    findOrAdd(instance).threadCallsDisabled = true;
    return TRUE;
}

bool ThreadLibraryCallsDisabled(HINSTANCE instance) {
    std::lock_guard lock(registryMutex);
    const InstanceRecord* r = find(instance);
    return r && r->threadCallsDisabled;
}

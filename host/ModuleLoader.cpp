// Loading of plug-in modules: the shared object is opened, its exports found by plain name,
// its entry routine and exports called in the host's order; unloading undoes it in reverse.
#include "ModuleLoader.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <filesystem>

#include "ClassDirectory.h"
#include "ModuleResources.h"
#include "WinApi.h"

namespace {

// More classes than any module offers: a larger count is a broken module, not a big one.
constexpr int kMaxClassesPerModule = 4096;

// Marks an instance handle: a byte the loader owns for as long as the module is loaded, so
// every load gets a handle no other load has.
HINSTANCE newInstanceHandle() {
    return reinterpret_cast<HINSTANCE>(new std::byte{});
}
void freeInstanceHandle(HINSTANCE h) {
    delete reinterpret_cast<std::byte*>(h);
}

// The address of `name` in the module itself (not in a library it depends on), or null.
void* findExport(void* handle, const char* name) {
    void* sym = dlsym(handle, name);
    if (!sym) return nullptr;
    link_map* module = nullptr;
    Dl_info where{};
    if (dlinfo(handle, RTLD_DI_LINKMAP, &module) != 0 || !dladdr(sym, &where)) return nullptr;
    return where.dli_fname && module->l_name && std::strcmp(where.dli_fname, module->l_name) == 0
               ? sym
               : nullptr;
}

template <class Fn>
Fn exportAs(void* sym) {
    return reinterpret_cast<Fn>(sym);
}

}  // namespace

std::unique_ptr<LoadedModule> LoadedModule::Open(const std::string& path, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        error = path + ": no such file";
        return nullptr;
    }
    if (!fs::is_regular_file(path, ec)) {
        error = path + ": not a regular file";
        return nullptr;
    }
    // An absolute path, so that dlopen never searches the library path for a bare name.
    const std::string absolute = fs::absolute(path, ec).string();
    dlerror();
    void* handle = dlopen(absolute.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = path + ": not a shared object: " + (why ? why : "unknown error");
        return nullptr;
    }

    struct Exports {
        ULONG (*version)();
        int (*numberClasses)();
        const MCHAR* (*description)();
        ClassDesc* (*classDesc)(int);
        int (*initialize)();
        int (*shutdown)();
    } ex{};
    // In the order the host asks for them; the first missing one is reported.
    const std::pair<const char*, void**> required[] = {
        {"LibVersion", reinterpret_cast<void**>(&ex.version)},
        {"LibNumberClasses", reinterpret_cast<void**>(&ex.numberClasses)},
        {"LibDescription", reinterpret_cast<void**>(&ex.description)},
        {"LibClassDesc", reinterpret_cast<void**>(&ex.classDesc)},
        {"LibInitialize", reinterpret_cast<void**>(&ex.initialize)},
        {"LibShutdown", reinterpret_cast<void**>(&ex.shutdown)},
    };
    for (const auto& [name, slot] : required) {
        *slot = findExport(handle, name);
        if (!*slot) {
            dlclose(handle);
            error = path + ": not a plug-in module: missing export " + name;
            return nullptr;
        }
    }

    std::unique_ptr<LoadedModule> m(new LoadedModule());
    m->path_ = path;
    m->handle_ = handle;
    m->instance_ = newInstanceHandle();
    // The entry routine and the resource table are optional, as on the host's platform.
    m->entry_ = exportAs<BOOL (*)(HINSTANCE, DWORD, void*)>(findExport(handle, "DllMain"));
    if (auto resources =
            exportAs<const ModuleResourceTable* (*)()>(findExport(handle, "ModuleResources")))
        RegisterModuleResources(m->instance_, resources());
    if (m->entry_) m->entry_(m->instance_, DLL_PROCESS_ATTACH, nullptr);

    m->version_ = ex.version();
    const int count = ex.numberClasses();
    if (count < 0 || count > kMaxClassesPerModule) {
        error = path + ": LibNumberClasses returned " + std::to_string(count);
        return nullptr;  // the destructor detaches and unloads what was set up
    }
    m->numClasses_ = count;
    if (const MCHAR* text = ex.description()) m->description_ = text;  // copied: a shared buffer
    for (int i = 0; i < count; ++i) m->classes_.push_back(ex.classDesc(i));
    if (!ex.initialize()) {
        error = path + ": LibInitialize failed";
        return nullptr;
    }
    m->shutdown_ = ex.shutdown;
    // Scenes holding the module's classes can be read while it is loaded.
    for (ClassDesc* cd : m->classes_) RegisterClassDesc(cd);
    return m;
}

LoadedModule::~LoadedModule() {
    for (ClassDesc* cd : classes_) UnregisterClassDesc(cd);
    if (shutdown_) shutdown_();
    if (entry_) entry_(instance_, DLL_PROCESS_DETACH, nullptr);
    UnregisterModuleResources(instance_);
    if (handle_) dlclose(handle_);
    freeInstanceHandle(instance_);
}

ClassDesc* LoadedModule::GetClassDesc(int i) const {
    return i >= 0 && std::size_t(i) < classes_.size() ? classes_[std::size_t(i)] : nullptr;
}

// Loads a plug-in module (.dlt) the way the host does: open it, run its entry routine with
// process attach, query its exports, and undo all of it in reverse on unload.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "HostTypes.h"

class ClassDesc;

class LoadedModule {
public:
    // Opens the module at `path`; on failure returns null and says why in `error`.
    static std::unique_ptr<LoadedModule> Open(const std::string& path, std::string& error);
    ~LoadedModule();  // LibShutdown, process detach, resources unregistered, file closed
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    const std::string& Path() const { return path_; }
    HINSTANCE Instance() const { return instance_; }
    ULONG Version() const { return version_; }
    const MCHAR* Description() const { return description_.c_str(); }
    int NumberClasses() const { return numClasses_; }
    ClassDesc* GetClassDesc(int i) const;

private:
    LoadedModule() = default;
    std::string path_;
    void* handle_ = nullptr;
    HINSTANCE instance_ = nullptr;
    ULONG version_ = 0;
    int numClasses_ = 0;
    std::wstring description_;
    std::vector<ClassDesc*> classes_;  // LibClassDesc(i), asked once at load
    int (*shutdown_)() = nullptr;
    BOOL (*entry_)(HINSTANCE, DWORD, void*) = nullptr;
};

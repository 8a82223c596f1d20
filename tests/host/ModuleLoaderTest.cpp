#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "MaxHeap.h"
#include "ModuleLoader.h"

namespace {

std::string tempFile(const char* name, const char* content) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path) << content;
    return path.string();
}

TEST(ModuleLoader, MissingFile) {
    std::string error;
    EXPECT_EQ(LoadedModule::Open("/nonexistent/TavroMtl.dlt", error), nullptr);
    EXPECT_EQ(error, "/nonexistent/TavroMtl.dlt: no such file");
}

TEST(ModuleLoader, NotASharedObject) {
    const std::string path = tempFile("tavro_not_a_module.dlt", "plain text, not a module\n");
    std::string error;
    EXPECT_EQ(LoadedModule::Open(path, error), nullptr);
    EXPECT_EQ(error.rfind(path + ": not a shared object: ", 0), 0u) << error;
    EXPECT_GT(error.size(), path.size() + 24) << "the loader's own reason follows";
    std::filesystem::remove(path);
}

TEST(ModuleLoader, Directory) {
    std::string error;
    const std::string dir = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(LoadedModule::Open(dir, error), nullptr);
    EXPECT_EQ(error, dir + ": not a regular file");
}

TEST(ModuleLoader, SharedObjectWithoutTheExports) {
    // The host library itself is a shared object but no plug-in module.
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&MAX_malloc), &info), 0);
    const std::string path = info.dli_fname;
    std::string error;
    EXPECT_EQ(LoadedModule::Open(path, error), nullptr);
    EXPECT_EQ(error, path + ": not a plug-in module: missing export LibVersion");
}

}  // namespace

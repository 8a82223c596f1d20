// The built module files: their versions, their self-given name and their exports.
#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BuiltModules.h"
#include "ModuleLoader.h"

namespace {

// Module files are a few MiB; anything far larger is not one of ours.
constexpr std::uintmax_t kMaxModuleBytes = 256u << 20;

std::vector<char> readFile(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxModuleBytes) return {};
    std::vector<char> bytes(size);
    std::ifstream in(path, std::ios::binary);
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return {};
    return bytes;
}

template <class T>
std::optional<T> readAt(const std::vector<char>& bytes, std::uint64_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return std::nullopt;
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// The DT_SONAME of a 64-bit little-endian ELF shared object, read from its dynamic section
// and the string table that section links to; empty when the file has none or is malformed.
std::string elfSoname(const std::vector<char>& bytes) {
    const auto eh = readAt<Elf64_Ehdr>(bytes, 0);
    if (!eh || std::memcmp(eh->e_ident, ELFMAG, SELFMAG) != 0 ||
        eh->e_ident[EI_CLASS] != ELFCLASS64 || eh->e_shentsize != sizeof(Elf64_Shdr))
        return {};
    auto section = [&](std::uint64_t i) {
        return readAt<Elf64_Shdr>(bytes, eh->e_shoff + i * sizeof(Elf64_Shdr));
    };
    for (std::uint64_t i = 0; i < eh->e_shnum; ++i) {
        const auto dyn = section(i);
        if (!dyn || dyn->sh_type != SHT_DYNAMIC) continue;
        const auto strtab = section(dyn->sh_link);
        if (!strtab) return {};
        for (std::uint64_t off = 0; off + sizeof(Elf64_Dyn) <= dyn->sh_size;
             off += sizeof(Elf64_Dyn)) {
            const auto entry = readAt<Elf64_Dyn>(bytes, dyn->sh_offset + off);
            if (!entry || entry->d_tag == DT_NULL) break;
            if (entry->d_tag != DT_SONAME) continue;
            if (entry->d_un.d_val >= strtab->sh_size) return {};
            const std::uint64_t start = strtab->sh_offset + entry->d_un.d_val;
            const std::uint64_t end = strtab->sh_offset + strtab->sh_size;
            if (end > bytes.size()) return {};
            const char* first = bytes.data() + start;
            return std::string(first, strnlen(first, end - start));
        }
    }
    return {};
}

struct DlHandle {
    void* handle;
    ~DlHandle() {
        if (handle) dlclose(handle);
    }
};

}  // namespace

TEST(ModuleFiles, AllFiveBuildsExist) {
    for (const BuiltModule& b : kBuiltModules)
        EXPECT_TRUE(std::filesystem::is_regular_file(modulePath(b.sdk))) << modulePath(b.sdk);
}

TEST(ModuleFiles, EachReportsTheVersionOfItsSdk) {
    for (const BuiltModule& b : kBuiltModules) {
        std::string error;
        std::unique_ptr<LoadedModule> module = LoadedModule::Open(modulePath(b.sdk), error);
        ASSERT_NE(module, nullptr) << error;
        EXPECT_EQ(module->Version(), b.version) << b.sdk;
        EXPECT_EQ(std::wstring(module->Description()), L"Tavro renderer material editor");
        EXPECT_EQ(module->NumberClasses(), 1);
        EXPECT_EQ(module->GetClassDesc(1), nullptr);
    }
}

TEST(ModuleFiles, EveryBuildNamesItself2017) {
    for (const BuiltModule& b : kBuiltModules) {
        const std::vector<char> bytes = readFile(modulePath(b.sdk));
        ASSERT_FALSE(bytes.empty()) << b.sdk;
        EXPECT_EQ(elfSoname(bytes), "TavroMtl_2017.dlt") << b.sdk;
    }
}

TEST(ModuleFiles, ExportsResolveByPlainNameAndNothingElseLeaks) {
    const char* exported[] = {"DllMain",      "LibDescription",  "LibNumberClasses",
                              "LibClassDesc", "LibVersion",      "LibInitialize",
                              "LibShutdown",  "ModuleResources", "_ZN20VertexNormalsControlC1Ev"};
    // The module's own functions stay inside it.
    const char* internal[] = {"_Z14tavroClassDescv", "_Z13LoadResStringi",
                              "_Z19tavroParamBlockDescv"};
    for (const BuiltModule& b : kBuiltModules) {
        SCOPED_TRACE(b.sdk);
        DlHandle lib{dlopen(modulePath(b.sdk).c_str(), RTLD_NOW | RTLD_LOCAL)};
        ASSERT_NE(lib.handle, nullptr) << dlerror();
        for (const char* name : exported) EXPECT_NE(dlsym(lib.handle, name), nullptr) << name;
        for (const char* name : internal) EXPECT_EQ(dlsym(lib.handle, name), nullptr) << name;
    }
}

#include "PathMap.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Mappings the host knows without being told: local paths relative to the data folders.
const std::pair<const char*, const char*> kBuiltInMappings[] = {
    {kTavroPreviewEnvironmentPath, "env/EnvMatEdit.hdr"},
};

constexpr char kPathMapVariable[] = "TAVRO_HOST_PATH_MAP";
constexpr char kDataDirVariable[] = "TAVRO_HOST_DATA_DIR";

struct Registry {
    std::mutex mutex;
    std::vector<std::pair<std::string, std::string>> mappings;  // normalised key, local path
};

Registry& registry() {
    static Registry r;
    return r;
}

// Windows paths compare case-blind with one separator.
std::string windowsKey(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        if (c == '/') c = '\\';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

bool isWindowsPath(const std::string& path) {
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                       path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return drive || path.find('\\') != std::string::npos;
}

std::string windowsFileName(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool isFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

// A mapping's local side: absolute as given, relative within the first data folder holding it.
std::string localFile(const std::string& local) {
    if (fs::path(local).is_absolute()) return local;
    for (const std::string& folder : hostDataFolders()) {
        const fs::path candidate = fs::path(folder) / local;
        if (isFile(candidate)) return candidate.string();
    }
    return local;
}

bool lookUpEnvironment(const std::string& key, std::string& local) {
    const char* value = std::getenv(kPathMapVariable);
    if (!value) return false;
    const std::string entries = value;
    std::size_t start = 0;
    while (start <= entries.size()) {
        const std::size_t end = std::min(entries.find(';', start), entries.size());
        const std::string entry = entries.substr(start, end - start);
        const std::size_t eq = entry.find('=');
        if (eq != std::string::npos && windowsKey(entry.substr(0, eq)) == key) {
            local = entry.substr(eq + 1);
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::string searchDataFolders(const std::string& fileName) {
    if (fileName.empty()) return {};
    for (const std::string& folder : hostDataFolders()) {
        if (isFile(fs::path(folder) / fileName)) return (fs::path(folder) / fileName).string();
        std::vector<fs::path> subfolders;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            if (entry.is_directory(ec)) subfolders.push_back(entry.path());
        }
        std::sort(subfolders.begin(), subfolders.end());
        for (const fs::path& sub : subfolders) {
            if (isFile(sub / fileName)) return (sub / fileName).string();
        }
    }
    return {};
}

fs::path hostLibraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&hostResolvePath), &info) == 0 || !info.dli_fname) return {};
    std::error_code ec;
    const fs::path lib = fs::canonical(info.dli_fname, ec);
    return ec ? fs::path() : lib.parent_path();
}

}  // namespace

void hostMapPath(const std::string& windowsPath, const std::string& localPath) {
    Registry& r = registry();
    const std::string key = windowsKey(windowsPath);
    std::lock_guard lock(r.mutex);
    for (auto& [k, local] : r.mappings) {
        if (k == key) {
            local = localPath;
            return;
        }
    }
    r.mappings.emplace_back(key, localPath);
}

void hostClearPathMaps() {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.mappings.clear();
}

std::vector<std::string> hostDataFolders() {
    std::vector<fs::path> candidates;
    if (const char* dir = std::getenv(kDataDirVariable); dir && *dir) candidates.emplace_back(dir);
    if (const fs::path lib = hostLibraryFolder(); !lib.empty()) {
        candidates.push_back(lib / "resources");
        candidates.push_back(lib / ".." / "share" / "tavro" / "resources");
    }
    candidates.emplace_back(TAVRO_HOST_DATA_DIR);

    std::vector<std::string> folders;
    for (const fs::path& c : candidates) {
        std::error_code ec;
        if (fs::is_directory(c, ec)) folders.push_back(c.lexically_normal().string());
    }
    return folders;
}

std::string hostResolvePath(const std::string& path) {
    const std::string key = windowsKey(path);
    {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        for (const auto& [k, local] : r.mappings) {
            if (k == key) return localFile(local);
        }
    }
    if (std::string local; lookUpEnvironment(key, local)) return localFile(local);
    for (const auto& [windows, local] : kBuiltInMappings) {
        if (windowsKey(windows) == key) return localFile(local);
    }
    if (isWindowsPath(path)) {
        if (std::string found = searchDataFolders(windowsFileName(path)); !found.empty())
            return found;
    }
    return path;
}

std::string hostNarrowString(const MSTR& s) {
    std::string out;
    out.reserve(s.size());
    for (const wchar_t wc : s) {
        // wchar_t holds a whole code point here; invalid ones become U+FFFD.
        auto cp = static_cast<std::uint32_t>(wc);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

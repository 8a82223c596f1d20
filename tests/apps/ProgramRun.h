// Helpers for the tests of the host programs: a scratch folder per test, running a built
// program with its output captured, and reading the files it writes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace apptest {

// A fresh folder under the system's temporary folder, removed with its contents.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Names of everything in the folder, sorted.
    std::vector<std::string> entries() const;

private:
    std::filesystem::path path_;
};

// How a program run ended and what it printed.
struct RunResult {
    int exitCode = -1;  // the exit status, or -1 when the program did not exit by itself
    int signal = 0;     // the signal that ended it, 0 when it exited
    std::string out;
    std::string err;
};

// Runs `program` with `args` (no shell), standard input empty, and waits for it.
RunResult runProgram(const std::string& program, const std::vector<std::string>& args);

// The whole file, or an empty string when it cannot be read.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// Width and height from a PNG file's signature and IHDR chunk; false when the file is no PNG.
bool pngSize(const std::string& path, std::uint32_t& width, std::uint32_t& height);

}  // namespace apptest

// Atomic replacement of a file on POSIX systems: mkstemp in the target's folder, write,
// fsync, rename, fsync of the folder (so the rename itself survives a power cut).
#include "SceneFileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

// Largest single write: the kernel may cut longer ones short anyway.
constexpr std::size_t kWriteBlock = std::size_t{1} << 20;
// Mode of a new scene file: readable by all, writable by its owner, as most programs create
// documents (the temporary file starts as 0600).
constexpr mode_t kNewFileMode = 0644;

std::string systemError(int err) {
    return std::strerror(err);
}

std::string folderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// The mode the new file takes: the old file's, else the default.
mode_t modeFor(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : kNewFileMode;
}

bool writeAll(int fd, std::span<const BYTE> bytes, const SceneWriteFaults& faults, int& err) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t n = std::min(kWriteBlock, bytes.size() - done);
        if (done >= faults.failAfterBytes) {
            err = ENOSPC;
            return false;
        }
        n = std::min(n, faults.failAfterBytes - done);
        const ssize_t w = ::write(fd, bytes.data() + done, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        done += std::size_t(w);
    }
    if (faults.failAfterBytes < bytes.size()) {
        err = ENOSPC;
        return false;
    }
    return true;
}

}  // namespace

bool writeFileReplacing(const std::string& path, std::span<const BYTE> bytes, std::string& error,
                        const SceneWriteFaults& faults) {
    const std::string folder = folderOf(path);
    std::string temp = (std::filesystem::path(folder) /
                        ("." + std::filesystem::path(path).filename().string() + ".XXXXXX"))
                           .string();
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = path + ": cannot create a new file in " + folder + ": " + systemError(errno);
        return false;
    }
    temp = name.data();

    auto abandon = [&](const std::string& step, int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        error = path + ": not saved, " + step + " failed: " + systemError(err) +
                " (the file on disk is unchanged)";
        return false;
    };

    int err = 0;
    if (::fchmod(fd, modeFor(path)) != 0) return abandon("setting the file mode", errno);
    if (!writeAll(fd, bytes, faults, err)) return abandon("writing", err);
    if (faults.failSync) return abandon("flushing to disk", EIO);
    if (::fsync(fd) != 0) return abandon("flushing to disk", errno);
    if (::close(fd) != 0) {
        const int closeErr = errno;
        ::unlink(temp.c_str());
        error = path + ": not saved, closing failed: " + systemError(closeErr) +
                " (the file on disk is unchanged)";
        return false;
    }
    if (faults.failRename || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int renameErr = faults.failRename ? EIO : errno;
        ::unlink(temp.c_str());
        error = path +
                ": not saved, renaming the new file over it failed: " + systemError(renameErr) +
                " (the file on disk is unchanged)";
        return false;
    }
    // The rename is durable once the folder's entry is on disk; the file is complete
    // either way, so a failure here is not reported as a failed save.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

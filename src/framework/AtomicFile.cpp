#include "framework/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "framework/FileKind.h"
#include "framework/WriteAll.h"

namespace qv {

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

// A symbolic link is kept: we replace the file it points to.
std::string ResolveTarget(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) &&
        realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

mode_t ModeForNewFile(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Syncs and closes fd; the first error wins.
std::string SyncAndClose(int fd, std::string error) {
    if (error.empty() && fsync(fd) != 0) {
        error = Reason(errno);
    }
    if (close(fd) != 0 && error.empty()) {
        error = Reason(errno);
    }
    return error;
}

void SyncDirectory(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// The folder refuses new entries, not the file: worth writing in place.
bool FolderRefusesNewFiles(int error) {
    return error == EACCES || error == EPERM;
}

// Writing over the file from its start, then cutting it to length, so that
// even a failure leaves as much of a measurement as possible.
FileWriteResult WriteInPlace(const std::string& target, std::span<const std::byte> bytes) {
    FileWriteResult result;
    result.previous = PreviousFile::Unchanged;
    const int fd = open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.error = Reason(errno);
        return result;
    }
    result.opened = true;
    std::string error = WriteAll(fd, bytes);
    if (error.empty() && ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) {
        error = Reason(errno);
    }
    result.error = SyncAndClose(fd, error);
    if (!result.Ok()) {
        result.previous = PreviousFile::MayBeDamaged;
    }
    return result;
}

}  // namespace

bool IsWritableFile(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
    return (info.st_mode & kAnyWrite) != 0 && access(path.c_str(), W_OK) == 0;
}

bool IsReadOnlyFile(const std::string& path) {
    return !path.empty() && IsRegularFile(path) && !IsWritableFile(path);
}

FileWriteResult WriteFileReplacing(const std::string& path, std::span<const std::byte> bytes) {
    const std::string target = ResolveTarget(path);
    FileWriteResult result;
    result.previous = IsRegularFile(target) ? PreviousFile::Unchanged : PreviousFile::None;
    // A directory, device or pipe of that name is not ours to replace.
    if (struct stat info{}; stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        result.error = NotRegularFileReason(info.st_mode);
        return result;
    }
    if (IsReadOnlyFile(target)) {
        result.error = kReadOnlyReason;
        return result;
    }
    std::string temp = DirectoryOf(target) + "/.qv-save-XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        const int error = errno;
        if (FolderRefusesNewFiles(error) && result.previous == PreviousFile::Unchanged) {
            return WriteInPlace(target, bytes);
        }
        result.error = Reason(error);
        return result;
    }
    result.opened = true;
    std::string error = WriteAll(fd, bytes);
    if (error.empty() && fchmod(fd, ModeForNewFile(target)) != 0) {
        error = Reason(errno);
    }
    error = SyncAndClose(fd, error);
    if (error.empty() && rename(temp.c_str(), target.c_str()) != 0) {
        error = Reason(errno);
    }
    if (!error.empty()) {
        unlink(temp.c_str());
        result.error = error;
        return result;
    }
    SyncDirectory(DirectoryOf(target));
    return result;
}

}  // namespace qv

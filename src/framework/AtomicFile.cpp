#include "framework/AtomicFile.h"

#include <fcntl.h>
#include <dirent.h>
#include <sys/file.h>
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

// The save's own temporary files for target: ".NAME.qv-save-" and six letters.
std::string TemporaryPrefix(const std::string& target) {
    constexpr std::size_t kMaxNamePart = 200;  // the whole name stays within NAME_MAX
    const auto slash = target.find_last_of('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return "." + name.substr(0, kMaxNamePart) + ".qv-save-";
}

// A killed save leaves its temporary file behind; one that is being written
// is locked by its save and stays.
void RemoveLeftoverTemporaries(const std::string& dir, const std::string& prefix) {
    DIR* folder = opendir(dir.c_str());
    if (folder == nullptr) {
        return;
    }
    constexpr std::size_t kRandomPart = 6;
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + kRandomPart || !name.starts_with(prefix)) {
            continue;
        }
        const std::string path = dir + "/" + name;
        const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            continue;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            unlink(path.c_str());
        }
        close(fd);
    }
    closedir(folder);
}

// A new temporary file beside the target, locked for as long as it is open;
// -1 with errno set when the folder allows none.
int MakeTemporary(std::string& temp, const std::string& pattern) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        temp = pattern;
        const int fd = mkstemp(temp.data());
        if (fd < 0) {
            return -1;
        }
        struct stat info {};
        // A leftover sweep of another save may have taken it before the lock.
        if (flock(fd, LOCK_EX) == 0 && fstat(fd, &info) == 0 && info.st_nlink > 0) {
            return fd;
        }
        close(fd);
    }
    errno = EEXIST;
    return -1;
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
    const std::string dir = DirectoryOf(target);
    const std::string prefix = TemporaryPrefix(target);
    RemoveLeftoverTemporaries(dir, prefix);
    std::string temp;
    const int fd = MakeTemporary(temp, dir + "/" + prefix + "XXXXXX");
    if (fd < 0) {
        const int error = errno;
        // Writing over the file itself would leave new bytes before old ones
        // if the program were killed meanwhile: refused, the file kept.
        result.error = error == EACCES || error == EPERM ? kFolderRefusesReason : Reason(error);
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

#include "framework/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

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

mode_t ModeForNewFile(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

std::string WriteAll(int fd, std::span<const std::byte> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Reason(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    return {};
}

void SyncDirectory(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

std::string ReadWholeFile(const std::string& path, std::vector<std::byte>& bytes) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        return Reason(errno);
    }
    std::string error;
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        error = Reason(EISDIR);
    }
    bytes.clear();
    std::byte chunk[65536];
    while (error.empty()) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error = Reason(errno);
        } else if (n == 0) {
            break;
        } else {
            bytes.insert(bytes.end(), chunk, chunk + n);
        }
    }
    close(fd);
    return error;
}

std::string WriteFileReplacing(const std::string& path, std::span<const std::byte> bytes) {
    const std::string target = ResolveTarget(path);
    std::string temp = DirectoryOf(target) + "/.qv-save-XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        return Reason(errno);
    }
    std::string error = WriteAll(fd, bytes);
    if (error.empty() && fchmod(fd, ModeForNewFile(target)) != 0) {
        error = Reason(errno);
    }
    if (error.empty() && fsync(fd) != 0) {
        error = Reason(errno);
    }
    if (close(fd) != 0 && error.empty()) {
        error = Reason(errno);
    }
    if (error.empty() && rename(temp.c_str(), target.c_str()) != 0) {
        error = Reason(errno);
    }
    if (!error.empty()) {
        unlink(temp.c_str());
        return error;
    }
    SyncDirectory(DirectoryOf(target));
    return {};
}

}  // namespace qv

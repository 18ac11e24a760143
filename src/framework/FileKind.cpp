#include "framework/FileKind.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace qv {

std::string NotRegularFileReason(unsigned mode) {
    if (S_ISDIR(mode)) {
        return std::strerror(EISDIR);
    }
    const char* kind = S_ISFIFO(mode)   ? "a named pipe (FIFO)"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "a special file";
    return std::string("Is ") + kind + ", not a regular file";
}

std::string UnreadableFileReason(const std::string& path, std::uintmax_t maxBytes) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        return std::strerror(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return NotRegularFileReason(info.st_mode);
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        return "Is " + std::to_string(info.st_size) + " bytes long, more than the " +
               std::to_string(maxBytes) + " such a file can have";
    }
    return {};
}

}  // namespace qv

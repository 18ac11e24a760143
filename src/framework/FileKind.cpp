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

}  // namespace qv

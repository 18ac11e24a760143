#include "framework/WriteAll.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qv {

std::string WriteAll(int fd, std::span<const std::byte> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::strerror(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    return {};
}

}  // namespace qv

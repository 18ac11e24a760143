#include "framework/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include "framework/FileKind.h"

namespace qv {

InputFile::~InputFile() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

std::string InputFile::Open(const std::string& path) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer. It has no effect
    // on reading a regular file, the only kind we go on with.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::strerror(errno);
    }
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        const int error = errno;
        close(fd);
        return std::strerror(error);
    }
    if (!S_ISREG(info.st_mode)) {
        close(fd);
        return NotRegularFileReason(info.st_mode);
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
    m_size = static_cast<std::uint64_t>(info.st_size);
    m_pos = 0;
    return {};
}

std::size_t InputFile::Remaining() const {
    const std::uint64_t left = m_size - m_pos;
    return static_cast<std::size_t>(
        std::min<std::uint64_t>(left, std::numeric_limits<std::size_t>::max()));
}

void InputFile::Read(std::span<std::byte> destination) {
    std::size_t done = 0;
    while (done < destination.size()) {
        const ssize_t n = read(m_fd, destination.data() + done, destination.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            throw CFileException(std::strerror(errno));
        }
        if (n == 0) {
            throw CFileException("The file became shorter while it was read");
        }
        done += static_cast<std::size_t>(n);
        m_pos += static_cast<std::uint64_t>(n);
    }
}

}  // namespace qv

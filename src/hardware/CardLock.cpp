#include "hardware/CardLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qv {

namespace {

std::string RuntimeDirectory() {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    return dir != nullptr && *dir != '\0' ? dir : "/tmp";
}

std::string CardName(std::uint16_t portBase) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", portBase);
    return text;
}

int OpenLockFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // Another user's lock file can still be locked through a read-only handle.
    return fd >= 0 ? fd : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

}  // namespace

std::string CardLock::LockFilePath(std::uint16_t portBase) {
    return RuntimeDirectory() + "/qv-card-" + CardName(portBase) + ".lock";
}

CardLock::CardLock(std::uint16_t portBase) : m_path(LockFilePath(portBase)) {
    const std::string card = "the card at " + CardName(portBase);
    m_fd = OpenLockFile(m_path);
    if (m_fd < 0) {
        m_refusal =
            card + " cannot be locked: " + std::strerror(errno) + " (lock file " + m_path + ")";
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const pid_t holder = ReadHolder();
        m_refusal = card + " is in use by " +
                    (holder > 0 ? "process " + std::to_string(holder) : "another process") +
                    " (lock file " + m_path + ")";
        return;
    }
    m_held = true;
    WriteOwnPid();
}

CardLock::~CardLock() {
    if (m_fd >= 0) {
        // Closing releases the lock; the file stays, so that no second owner
        // can lock a file that is about to be removed.
        ::close(m_fd);
    }
}

void CardLock::WriteOwnPid() {
    const std::string text = std::to_string(::getpid()) + "\n";
    if (::ftruncate(m_fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written = ::pwrite(m_fd, text.data(), text.size(), 0);
    }
}

pid_t CardLock::ReadHolder() const {
    char text[32] = {};
    const ssize_t got = ::pread(m_fd, text, sizeof text - 1, 0);
    return got > 0 ? static_cast<pid_t>(std::strtol(text, nullptr, 10)) : 0;
}

}  // namespace qv

#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace qv::test {

// A folder in which no new file can be made while its files stay writable.
// Permission bits do that for an ordinary user; root ignores them, so for root
// the folder is made immutable instead (ext4 and most disk file systems).
// Locked() is false where neither works; the test then has nothing to show.
class LockedFolder {
public:
    explicit LockedFolder(const std::string& path) : m_path(path) {
        if (geteuid() != 0) {
            m_locked = chmod(path.c_str(), 0555) == 0;
            m_byMode = m_locked;
        } else {
            m_locked = SetImmutable(true);
        }
    }
    ~LockedFolder() {
        if (m_byMode) {
            chmod(m_path.c_str(), 0755);
        } else if (m_locked) {
            SetImmutable(false);
        }
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    bool Locked() const { return m_locked; }

private:
    bool SetImmutable(bool on) {
        const int fd = open(m_path.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) {
            return false;
        }
        int flags = 0;
        bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        close(fd);
        return ok;
    }

    std::string m_path;
    bool m_locked = false;
    bool m_byMode = false;
};

}  // namespace qv::test

#pragma once

#include <sys/types.h>
#include <cstdint>
#include <string>

namespace qv {

// One owner of the card at a time: an exclusive flock on a lock file named
// after the port base in the runtime directory ($XDG_RUNTIME_DIR, else /tmp),
// held for as long as this object lives. Two processes that drive the same
// card interleave their handshakes and corrupt both, so the second one is
// refused and told who holds the card; the holder's pid is in the file.
class CardLock {
public:
    explicit CardLock(std::uint16_t portBase);
    ~CardLock();
    CardLock(const CardLock&) = delete;
    CardLock& operator=(const CardLock&) = delete;

    bool Held() const { return m_held; }
    const std::string& Path() const { return m_path; }
    // Why the card is not ours when Held() is false, in one sentence without
    // the program's name, e.g. "the card at 0x300 is in use by process 4711
    // (lock file /run/user/1000/qv-card-0x300.lock)".
    const std::string& Refusal() const { return m_refusal; }

    // "qv-card-0x300.lock" in the runtime directory.
    static std::string LockFilePath(std::uint16_t portBase);

private:
    void WriteOwnPid();
    pid_t ReadHolder() const;

    std::string m_path;
    std::string m_refusal;
    int m_fd = -1;
    bool m_held = false;
};

}  // namespace qv

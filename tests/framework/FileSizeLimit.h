#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <cstddef>

namespace qv::test {

// For its lifetime no file can grow beyond limit bytes: a write past it fails
// with EFBIG, as on a full disk. Binds root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t limit) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_saved;
        small.rlim_cur = limit;
        m_active = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Active() const { return m_active; }

private:
    rlimit m_saved{};
    sighandler_t m_oldHandler = nullptr;
    bool m_active = false;
};

}  // namespace qv::test

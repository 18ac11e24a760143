#pragma once

#include <cstdint>

namespace qv {

// A time limit on a busy wait, on the process's tick clock. The elapsed time
// is counted as the port object counts it: a tick counter that wrapped since
// the start restarts the wait from now instead of ending it.
class PollDeadline {
public:
    explicit PollDeadline(std::int64_t limitMs);
    // Starts the wait again from now.
    void Restart();
    bool Expired();

private:
    std::int64_t m_limitMs;
    std::int64_t m_start = 0;
};

}  // namespace qv

#pragma once

#include <cstdint>

namespace qv {

// The time limit of a busy wait on the card, read from the process's tick
// clock. The 32-bit tick counter wraps after 49 days; a reading below the
// start means it did, and the measurement starts again from that reading
// instead of ending the wait.
class TimeLimit {
public:
    // Starts measuring now.
    explicit TimeLimit(std::uint32_t limitMs);

    void Restart();
    // True once more than the limit has passed since the start.
    bool Passed();

private:
    std::uint32_t m_limitMs;
    std::uint32_t m_start;
};

}  // namespace qv

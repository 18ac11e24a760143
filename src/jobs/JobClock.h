#pragma once

#include <cstdint>
#include <functional>

#include "hardware/TickClock.h"

namespace qv::jobs {

// The clock of a job, for the program's busy waits and for the virtual card:
// milliseconds since the job began on the machine's steady clock, plus, on the
// virtual card, the time that waits skipped. A skipped hour costs nothing, yet
// every handshake poll still sees time pass as on the desktop.
class JobClock : public TickClock {
public:
    // skipWaits: waits move the clock on at once instead of waiting.
    explicit JobClock(bool skipWaits);
    std::uint32_t GetTickCount() override;

    // Lets ms pass: at once when waits are skipped, else in short sleeps that
    // look at stopRequested between them. False when a stop ended it early.
    bool Pause(std::uint64_t ms, const std::function<bool()>& stopRequested);
    bool SkipsWaits() const { return m_skipWaits; }

private:
    SteadyTickClock m_steady;
    std::uint32_t m_start;
    std::uint32_t m_skipped = 0;
    bool m_skipWaits;
};

}  // namespace qv::jobs

#pragma once

#include <cstdint>

#include "hardware/TickClock.h"

namespace qv::sim {

// Card time: ticks of the card's 24 MHz crystal since power-up. The drive's
// dividers count the same crystal, so a sweep is a whole number of ticks.
using MasterTicks = std::int64_t;
inline constexpr MasterTicks kTicksPerMs = 24'000;
inline constexpr MasterTicks kTicksPerSecond = 1000 * kTicksPerMs;

// Follows the host's millisecond counter (wrapping at 32 bits), optionally
// faster, and turns what has passed into card time.
class CardTime {
public:
    CardTime(TickClock& clock, std::uint32_t speedUp);

    // Reads the host clock; never goes backwards.
    MasterTicks Now();

private:
    TickClock& m_clock;
    std::uint32_t m_lastTick;
    std::uint32_t m_speedUp;
    MasterTicks m_now = 0;
};

}  // namespace qv::sim

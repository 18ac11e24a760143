#include "hardware/TickClock.h"

#include <time.h>

namespace qv {

// The coarse monotonic clock counts in the system timer's steps (a few
// milliseconds), as GetTickCount does, and costs a fraction of a precise
// reading: a spectrum read looks at the clock once per word.
std::uint32_t SteadyTickClock::GetTickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000 +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000;
    // Keep only the low 32 bits so the counter wraps the way callers expect.
    return static_cast<std::uint32_t>(ms);
}

}  // namespace qv

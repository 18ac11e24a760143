#include "hardware/TickClock.h"

#include <chrono>

namespace qv {

std::uint32_t SteadyTickClock::GetTickCount() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    // Keep only the low 32 bits so the counter wraps the way callers expect.
    return static_cast<std::uint32_t>(ms);
}

}  // namespace qv

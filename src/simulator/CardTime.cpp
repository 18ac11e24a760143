#include "simulator/CardTime.h"

namespace qv::sim {

CardTime::CardTime(TickClock& clock, std::uint32_t speedUp)
    : m_clock(clock), m_lastTick(clock.GetTickCount()), m_speedUp(speedUp == 0 ? 1 : speedUp) {}

MasterTicks CardTime::Now() {
    const std::uint32_t tick = m_clock.GetTickCount();
    // Unsigned difference: a wrapped counter still gives the time that passed.
    const std::uint32_t passed = tick - m_lastTick;
    m_lastTick = tick;
    m_now += static_cast<MasterTicks>(passed) * kTicksPerMs * m_speedUp;
    return m_now;
}

}  // namespace qv::sim

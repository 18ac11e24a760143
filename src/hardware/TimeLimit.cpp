#include "hardware/TimeLimit.h"

#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"

namespace qv {

namespace {
std::uint32_t Now() {
    return HardwareGlobals::Instance().Clock().GetTickCount();
}
}  // namespace

TimeLimit::TimeLimit(std::uint32_t limitMs) : m_limitMs(limitMs), m_start(Now()) {}

void TimeLimit::Restart() {
    m_start = Now();
}

bool TimeLimit::Passed() {
    const std::uint32_t now = Now();
    if (now < m_start) {
        m_start = now;
        return false;
    }
    return now - m_start > m_limitMs;
}

}  // namespace qv

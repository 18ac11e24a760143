#include "hardware/PollDeadline.h"

#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"

namespace qv {

namespace {
std::int64_t Now() {
    return HardwareGlobals::Instance().Clock().GetTickCount();
}
}  // namespace

PollDeadline::PollDeadline(std::int64_t limitMs) : m_limitMs(limitMs), m_start(Now()) {}

void PollDeadline::Restart() {
    m_start = Now();
}

bool PollDeadline::Expired() {
    const std::int64_t now = Now();
    if (now < m_start) {
        m_start = now;
        return false;
    }
    return now - m_start > m_limitMs;
}

}  // namespace qv

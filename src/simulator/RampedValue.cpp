#include "simulator/RampedValue.h"

#include <algorithm>
#include <cstdlib>

namespace qv::sim {

void RampedValue::Write(int desired, int speed, MasterTicks now) {
    m_desired = desired;
    m_speed = std::clamp(speed, 1, kImmediateSpeed);
    m_lastStep = now;
    if (m_speed == kImmediateSpeed) {
        m_current = m_desired;
    }
}

std::optional<MasterTicks> RampedValue::NextStep() const {
    if (Settled()) {
        return std::nullopt;
    }
    return m_lastStep + StepTicks();
}

bool RampedValue::AdvanceTo(MasterTicks now) {
    if (Settled() || now < m_lastStep + StepTicks()) {
        return false;
    }
    const MasterTicks due = (now - m_lastStep) / StepTicks();
    const int distance = std::abs(m_desired - m_current);
    const int steps = static_cast<int>(std::min<MasterTicks>(due, distance));
    m_current += m_desired > m_current ? steps : -steps;
    m_lastStep += due * StepTicks();
    return true;
}

}  // namespace qv::sim

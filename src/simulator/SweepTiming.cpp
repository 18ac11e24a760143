#include "simulator/SweepTiming.h"

namespace qv::sim {

void SweepTiming::Write(std::span<const std::uint8_t, kSize> payload, MasterTicks now) {
    m_k = payload[0] & 0x03;
    m_l = payload[1];
    m_origin = now;
}

MasterTicks SweepTiming::NextBoundary(MasterTicks now) const {
    const MasterTicks done = SweepPosition(now) / Period();
    return m_origin + (done + 1) * Period();
}

}  // namespace qv::sim

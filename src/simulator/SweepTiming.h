#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "simulator/CardTime.h"

namespace qv::sim {

// The drive frequency dividers K and L and the sweep they make: one pass
// through the 8192 reference samples per period, two samples per Qv channel.
// The sweep restarts from sample 0 whenever the dividers are written.
class SweepTiming {
public:
    static constexpr std::size_t kSize = 2;
    static constexpr MasterTicks kSamples = 8192;
    static constexpr MasterTicks kChannels = 4096;

    std::array<std::uint8_t, kSize> Read() const { return {m_k, m_l}; }
    void Write(std::span<const std::uint8_t, kSize> payload, MasterTicks now);

    // Crystal ticks per reference sample: (8 (K + 1) + 24) (256 - L).
    MasterTicks SampleTicks() const { return (8 * (m_k + 1) + 24) * (256 - m_l); }
    MasterTicks ChannelTicks() const { return 2 * SampleTicks(); }
    MasterTicks Period() const { return kSamples * SampleTicks(); }

    // Ticks since the current sweep origin.
    MasterTicks SweepPosition(MasterTicks now) const { return now - m_origin; }
    // The first sweep boundary strictly after 'now'.
    MasterTicks NextBoundary(MasterTicks now) const;
    bool IsBoundary(MasterTicks now) const { return SweepPosition(now) % Period() == 0; }

private:
    std::uint8_t m_k = 0;
    std::uint8_t m_l = 240;
    MasterTicks m_origin = 0;
};

}  // namespace qv::sim

#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace qv::sim {

// The drive's reference waveform: 8192 samples of 12 bits, one period.
class ReferenceTable {
public:
    static constexpr std::size_t kSamples = 8192;
    static constexpr std::size_t kWireSize = 2 * kSamples;
    static constexpr int kFullScale = 4095;

    // Power-up: the plain triangle, so the velocity sweeps from the start.
    ReferenceTable();

    // Two bytes per sample, each carrying six bits in its bits 7..2.
    void Write(std::span<const std::uint8_t, kWireSize> wire);
    static std::array<std::uint8_t, kWireSize> Encode(std::span<const std::uint16_t, kSamples> t);

    std::uint16_t operator[](std::size_t i) const { return m_samples[i]; }
    static std::array<std::uint16_t, kSamples> Triangle();

private:
    std::array<std::uint16_t, kSamples> m_samples;
};

}  // namespace qv::sim

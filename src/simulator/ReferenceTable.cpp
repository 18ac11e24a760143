#include "simulator/ReferenceTable.h"

namespace qv::sim {

ReferenceTable::ReferenceTable() : m_samples(Triangle()) {}

void ReferenceTable::Write(std::span<const std::uint8_t, kWireSize> wire) {
    for (std::size_t i = 0; i < kSamples; ++i) {
        m_samples[i] = static_cast<std::uint16_t>(wire[2 * i] >> 2 | (wire[2 * i + 1] >> 2) << 6);
    }
}

std::array<std::uint8_t, ReferenceTable::kWireSize> ReferenceTable::Encode(
    std::span<const std::uint16_t, kSamples> t) {
    std::array<std::uint8_t, kWireSize> wire{};
    for (std::size_t i = 0; i < kSamples; ++i) {
        wire[2 * i] = static_cast<std::uint8_t>(t[i] << 2);
        wire[2 * i + 1] = static_cast<std::uint8_t>((t[i] >> 6) << 2);
    }
    return wire;
}

// Falls from the top at sample 0 to the bottom at 4095/4096 and rises back.
std::array<std::uint16_t, ReferenceTable::kSamples> ReferenceTable::Triangle() {
    std::array<std::uint16_t, kSamples> t{};
    constexpr std::size_t kHalf = kSamples / 2;
    for (std::size_t i = 0; i < kHalf; ++i) {
        t[i] = static_cast<std::uint16_t>(kFullScale - i);
        t[kHalf + i] = static_cast<std::uint16_t>(i);
    }
    return t;
}

}  // namespace qv::sim

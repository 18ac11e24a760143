#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace qv::sim {

// The analogue pulse-processing block: fifteen bytes R0..R14 as the card holds
// them, and the values the pulse physics needs, decoded from them.
class AnalogueRegisters {
public:
    static constexpr std::size_t kSize = 15;
    static constexpr std::size_t kWriteSize = 17;  // two 0xFF sync bytes first

    AnalogueRegisters();

    const std::array<std::uint8_t, kSize>& Bytes() const { return m_r; }
    void Write(std::span<const std::uint8_t, kWriteSize> payload);

    bool InputA() const { return (m_r[0] & 0x01) != 0; }
    int Gain() const { return m_r[1] >> 1; }
    double SignalTauMicroseconds() const;
    int TriggerLevel() const { return TenBit(10); }
    int AmpAnalUpLimit() const { return TenBit(2); }
    int AmpAnalLowLimit() const { return TenBit(4); }
    int SnglChnlUpLimit() const { return TwelveBit(6); }
    int SnglChnlLowLimit() const { return TwelveBit(8); }

private:
    int TenBit(std::size_t low) const { return (m_r[low + 1] & 0x03) << 8 | m_r[low]; }
    int TwelveBit(std::size_t low) const { return (m_r[low + 1] & 0x0F) << 8 | m_r[low]; }

    std::array<std::uint8_t, kSize> m_r{};
};

}  // namespace qv::sim

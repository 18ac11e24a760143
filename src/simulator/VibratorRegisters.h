#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "simulator/RampedValue.h"

namespace qv::sim {

// The velocity drive: feedback gain, amplitude and bias, each ramping toward
// its desired value, and the range switch. Twelve bytes R0..R11.
class VibratorRegisters {
public:
    static constexpr std::size_t kSize = 12;
    static constexpr int kBiasOffset = 2048;  // bias travels as value + 2048

    VibratorRegisters();

    std::array<std::uint8_t, kSize> Read() const;
    void Write(std::span<const std::uint8_t, kSize> payload, MasterTicks now);

    RampedValue& Gain() { return m_gain; }
    RampedValue& Amplitude() { return m_amplitude; }
    RampedValue& Bias() { return m_bias; }  // register value, 0..4095
    const RampedValue& Gain() const { return m_gain; }
    const RampedValue& Amplitude() const { return m_amplitude; }
    const RampedValue& Bias() const { return m_bias; }
    bool HighRange() const { return m_highRange; }

private:
    RampedValue m_gain;
    RampedValue m_amplitude;
    RampedValue m_bias;
    bool m_highRange = true;
};

}  // namespace qv::sim

#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "simulator/RampedValue.h"

namespace qv::sim {

// The detector's high-voltage supply: a 10-bit value that ramps toward the
// desired one. Four bytes: current (R0, R1), desired and speed (R2, R3).
class HighVoltageRegisters {
public:
    static constexpr std::size_t kSize = 4;

    HighVoltageRegisters();

    std::array<std::uint8_t, kSize> Read() const;
    void Write(std::span<const std::uint8_t, kSize> payload, MasterTicks now);

    RampedValue& Ramp() { return m_value; }
    const RampedValue& Ramp() const { return m_value; }

private:
    RampedValue m_value;
};

}  // namespace qv::sim

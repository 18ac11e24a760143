#pragma once

#include <array>
#include <cstdint>

namespace qv::sim {

// Five general-purpose output bytes and the 8-bit DAC: stored, read back,
// driving nothing inside the simulated electronics.
struct AuxRegisters {
    static constexpr std::size_t kAuxSize = 5;
    std::array<std::uint8_t, kAuxSize> aux{};
    std::uint8_t dac = 0;
};

}  // namespace qv::sim

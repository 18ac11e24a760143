#pragma once

#include <array>
#include <cstdint>

namespace qv {

// The five auxiliary output bytes and the 8-bit DAC, as they travel.
struct AuxDacImage {
    std::array<std::uint8_t, 5> aux{};
    std::uint8_t dac = 0;
};

struct AuxDacValues {
    std::int32_t Aux0 = 0;
    std::int32_t Aux1 = 0;
    std::int32_t Aux2 = 0;
    std::int32_t Aux3 = 0;
    std::int32_t Aux4 = 0;
    std::int32_t Dac8 = 0;
};

// Each byte is the low 8 bits of its member.
AuxDacImage PackAuxDac(const AuxDacValues& values);
AuxDacValues UnpackAuxDac(const AuxDacImage& image);

}  // namespace qv

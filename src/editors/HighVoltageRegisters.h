#pragma once

#include <array>
#include <cstdint>

namespace qv {

// R0..R3 of the high-voltage supply, as they travel with commands 10 and 11.
using HighVoltageImage = std::array<std::uint8_t, 4>;

// The editor's working copy; the speed is in 5 ms steps, 16 changes at once.
struct HighVoltageValues {
    std::int32_t HvCurrent = 0;
    std::int32_t HvDesired = 0;
    std::int32_t HvSpeed = 15;
};

// Current and desired go out as 10-bit fields, the current one with the two
// high bits of R1 set; the speed as speed - 1 in the high nibble of R3.
HighVoltageImage PackHighVoltage(const HighVoltageValues& values);
// Reads only the value bits: R1 bits 7-2 and R3 bits 3-2 are ignored.
HighVoltageValues UnpackHighVoltage(const HighVoltageImage& image);

}  // namespace qv

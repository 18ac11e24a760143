#include "editors/HighVoltageRegisters.h"

namespace qv {

namespace {
constexpr std::uint8_t kCurrentHighBits = 0xC0;  // R1 bits 7-6, always 1 on write

std::uint8_t LowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
std::uint8_t Bits9To8(std::int32_t value) {
    return static_cast<std::uint8_t>((value >> 8) & 0x03);
}
// (speed x 16 - 1) AND 0xF0 in 8 bits: speed - 1 in the high nibble for 1..16.
std::uint8_t SpeedNibble(std::int32_t speed) {
    return static_cast<std::uint8_t>(static_cast<std::uint8_t>(speed * 16 - 1) & 0xF0);
}
}  // namespace

HighVoltageImage PackHighVoltage(const HighVoltageValues& v) {
    return {LowByte(v.HvCurrent),
            static_cast<std::uint8_t>(kCurrentHighBits | Bits9To8(v.HvCurrent)),
            LowByte(v.HvDesired),
            static_cast<std::uint8_t>(SpeedNibble(v.HvSpeed) | Bits9To8(v.HvDesired))};
}

HighVoltageValues UnpackHighVoltage(const HighVoltageImage& image) {
    HighVoltageValues v;
    v.HvCurrent = (image[1] & 0x03) * 256 + image[0];
    v.HvDesired = (image[3] & 0x03) * 256 + image[2];
    v.HvSpeed = (image[3] >> 4) + 1;
    return v;
}

}  // namespace qv

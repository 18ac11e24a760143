#include "editors/VibratorRegisters.h"

namespace qv {

namespace {

constexpr int kBiasOffset = 2048;
// Bits 7..6 of a "current value" high byte: set in every write.
constexpr std::uint8_t kCurrentMarker = 0xC0;
constexpr std::uint8_t kHighRangeBit = 0x04;
constexpr int kTenBitHigh = 0x03;
constexpr int kTwelveBitHigh = 0x0F;

std::uint8_t Low(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
std::uint8_t High(std::int32_t value, int mask) {
    return static_cast<std::uint8_t>((value >> 8) & mask);
}
std::uint8_t SpeedNibble(std::int32_t speed) {
    return static_cast<std::uint8_t>(((speed - 1) & 0x0F) << 4);
}
std::int32_t Speed(std::uint8_t byte) {
    return (byte >> 4) + 1;
}
std::int32_t Value(std::uint8_t low, std::uint8_t high, int mask) {
    return (high & mask) << 8 | low;
}

}  // namespace

VibratorImage PackVibrator(const VibratorValues& v) {
    const std::int32_t biasCurrent = v.BiasCurrent + kBiasOffset;
    const std::int32_t biasDesired = v.BiasDesired + kBiasOffset;
    return {
        static_cast<std::uint8_t>(v.K & 0x03),
        Low(v.L),
        Low(v.GainCurrent),
        static_cast<std::uint8_t>(kCurrentMarker | High(v.GainCurrent, kTenBitHigh)),
        Low(v.GainDesired),
        static_cast<std::uint8_t>(SpeedNibble(v.GainSpeed) | High(v.GainDesired, kTenBitHigh)),
        Low(v.AmplitudeCurrent),
        static_cast<std::uint8_t>(kCurrentMarker | High(v.AmplitudeCurrent, kTenBitHigh)),
        Low(v.AmplitudeDesired),
        static_cast<std::uint8_t>(SpeedNibble(v.AmplitudeSpeed) | (v.HighRange & 1) << 2 |
                                  High(v.AmplitudeDesired, kTenBitHigh)),
        Low(biasCurrent),
        static_cast<std::uint8_t>(kCurrentMarker | High(biasCurrent, kTwelveBitHigh)),
        Low(biasDesired),
        static_cast<std::uint8_t>(SpeedNibble(v.BiasSpeed) | High(biasDesired, kTwelveBitHigh)),
    };
}

VibratorValues UnpackVibrator(const VibratorImage& r) {
    VibratorValues v;
    v.K = r[0] & 0x03;
    v.L = r[1];
    v.GainCurrent = Value(r[2], r[3], kTenBitHigh);
    v.GainDesired = Value(r[4], r[5], kTenBitHigh);
    v.GainSpeed = Speed(r[5]);
    v.AmplitudeCurrent = Value(r[6], r[7], kTenBitHigh);
    v.AmplitudeDesired = Value(r[8], r[9], kTenBitHigh);
    v.AmplitudeSpeed = Speed(r[9]);
    v.HighRange = (r[9] & kHighRangeBit) != 0 ? 1 : 0;
    v.BiasCurrent = Value(r[10], r[11], kTwelveBitHigh) - kBiasOffset;
    v.BiasDesired = Value(r[12], r[13], kTwelveBitHigh) - kBiasOffset;
    v.BiasSpeed = Speed(r[13]);
    return v;
}

}  // namespace qv

#pragma once

#include <array>
#include <cstdint>

namespace qv {

// The vibrator drive's working copy, as the controls show it.
struct VibratorValues {
    std::int32_t GainCurrent = 0;
    std::int32_t GainDesired = 0;
    std::int32_t GainSpeed = 15;
    std::int32_t AmplitudeCurrent = 0;
    std::int32_t AmplitudeDesired = 0;
    std::int32_t AmplitudeSpeed = 15;
    std::int32_t HighRange = 0;
    std::int32_t BiasCurrent = 0;
    std::int32_t BiasDesired = 0;
    std::int32_t BiasSpeed = 15;
    std::int32_t K = 0;
    std::int32_t L = 240;
};

// Bytes 0..1 are the frequency dividers K and L (commands 14/15); bytes 2..13
// the drive registers R0..R11 (commands 12/13).
inline constexpr int kVibratorImageLength = 14;
inline constexpr int kVibratorDividersOffset = 0;
inline constexpr int kVibratorRegistersOffset = 2;
using VibratorImage = std::array<std::uint8_t, kVibratorImageLength>;

// Every value is reduced to its field: 10 bits for gain and amplitude, 12 bits
// for the bias after its offset of 2048, speed - 1 in a high nibble.
VibratorImage PackVibrator(const VibratorValues& values);
// Speeds come back as nibble + 1 (1..16), the bias without its offset.
VibratorValues UnpackVibrator(const VibratorImage& image);

}  // namespace qv

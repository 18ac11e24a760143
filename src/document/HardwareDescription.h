#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

// Capture presets of the analogue block for one signal shaping time.
struct AutoPreset {
    std::int32_t BaseCaptureDelay;
    std::int32_t PeakCaptureDelay;
    std::int32_t PileOnTileRejection;
};

// High-voltage calibration: volts = n * HvSlope + HvOffset within the limits.
struct HvCalibration {
    std::int32_t HvUpperLimit;
    std::int32_t HvLowerLimit;
    float HvSlope;
    float HvOffset;
};

// Velocity per amplitude step of the vibrator, for its two ranges.
struct VelocityCoefficients {
    float VelocityCoefHigh;
    float VelocityCoefLow;
};

// The 28 slots read from qv.hdw; slot numbers in the comments.
struct HardwareDescription {
    std::int32_t HardwareVersion1;  // 0
    std::int32_t HardwareVersion2;  // 1
    std::int32_t HardwareVersion3;  // 2
    AutoPreset AutoPresets[4];      // 3..14, one per SignalTau 1..4
    std::int32_t Reserved15;        // 15
    HvCalibration Hv;               // 16..19
    std::int32_t Reserved20;        // 20
    std::int32_t Reserved21;        // 21
    std::int32_t ReservedValue;     // 22
    VelocityCoefficients Velocity;  // 23..24
    std::int32_t Reserved25[3];     // 25..27

    static HardwareDescription Defaults();
};

static_assert(sizeof(HardwareDescription) == 28 * 4);
static_assert(offsetof(HardwareDescription, AutoPresets) == 3 * 4);
static_assert(offsetof(HardwareDescription, Hv) == 16 * 4);
static_assert(offsetof(HardwareDescription, ReservedValue) == 22 * 4);
static_assert(offsetof(HardwareDescription, Velocity) == 23 * 4);

inline HardwareDescription HardwareDescription::Defaults() {
    HardwareDescription d{};
    d.AutoPresets[0] = {4, 12, 25};
    d.AutoPresets[1] = {7, 21, 43};
    d.AutoPresets[2] = {7, 42, 90};
    d.AutoPresets[3] = {7, 83, 200};
    d.Hv = {923, 47, 1.4067f, -31.57f};
    d.Velocity = {0.106f, 0.014f};
    return d;
}

}  // namespace qv

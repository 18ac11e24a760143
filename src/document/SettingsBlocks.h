#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

// The four settings blocks of a measurement. Each is a run of 32-bit slots that
// goes to and from the data file byte for byte; the names are the editors'.

struct CountersTimersBlock {
    std::int32_t Qv2Source;        // 0 aux, 1 laser
    std::uint32_t Qv2CyclesStart;  // cycles to stop, start value
    std::int32_t Qv1Source;        // 0 aux, 1 local
    std::uint32_t Qv1CyclesStart;
    std::int32_t AaStopTimeBase;  // 0 universal time, 1 live time
    std::int32_t AaSecondsStart;  // seconds to stop, start value
    std::int32_t SecondsSinceDelta;
    std::int32_t UniversalTime;
    std::uint32_t Qv2CyclesCurrent;
    std::uint32_t Qv1CyclesCurrent;
    std::int32_t AaSecondsCurrent;
    std::int32_t AaLiveTime;
    std::int32_t AaDeadTime;
};

struct AnalogueBlock {
    std::int32_t InputSelect;  // 0 InputA, 1 InputB
    std::int32_t Gain;
    std::int32_t Invert;
    std::int32_t SignalTau;
    std::int32_t TriggerTau;
    std::int32_t PileOnFrontRejection;
    std::int32_t TriggerLevel;
    std::int32_t AmpAnalUpLimit;
    std::int32_t AmpAnalLowLimit;
    std::int32_t SnglChnlUpLimit;
    std::int32_t SnglChnlLowLimit;
    std::int32_t BaseCaptureDelay;
    std::int32_t PeakCaptureDelay;
    std::int32_t PileOnTileRejection;
    std::int32_t DTimMode;
};

struct HighVoltageBlock {
    std::int32_t HvDesired;
    // Calibration in force at capture time.
    std::int32_t HvUpperLimit;
    std::int32_t HvLowerLimit;
    float HvSlope;
    float HvOffset;
};

struct VibratorBlock {
    std::int32_t GainDesired;
    std::int32_t AmplitudeDesired;
    std::int32_t HighRange;
    // Velocity coefficients in force at capture time.
    float VelocityCoefHigh;
    float VelocityCoefLow;
    std::int32_t BiasDesired;
    std::int32_t K;
    std::int32_t L;
};

struct SettingsImage {
    CountersTimersBlock CountersTimers;
    AnalogueBlock Analogue;
    HighVoltageBlock HighVoltage;
    VibratorBlock Vibrator;
};

static_assert(sizeof(CountersTimersBlock) == 52);
static_assert(sizeof(AnalogueBlock) == 60);
static_assert(sizeof(HighVoltageBlock) == 20);
static_assert(sizeof(VibratorBlock) == 32);
static_assert(sizeof(SettingsImage) == 164);
static_assert(offsetof(SettingsImage, Vibrator) == 132);

// Versions 1..3 of the hardware a measurement was captured with.
struct HardwareVersionStamp {
    std::int32_t Version1;
    std::int32_t Version2;
    std::int32_t Version3;
};
static_assert(sizeof(HardwareVersionStamp) == 12);

}  // namespace qv

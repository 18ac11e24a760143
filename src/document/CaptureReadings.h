#pragma once

#include <cstdint>
#include <optional>

namespace qv {

// What the card showed during one capture that the settings image does not
// keep: filled by the block captures that succeeded, empty for the others.
struct CounterReadings {
    std::int32_t Qv1Rate = 0;  // pulses per second, last whole second
    std::int32_t Qv2Rate = 0;
    std::int32_t AaLiveTime = 0;  // seconds
    std::int32_t AaDeadTime = 0;
    // Start value less the cycles left: how many sweeps the counter has seen.
    std::uint32_t Qv1CyclesDone = 0;
    std::uint32_t Qv2CyclesDone = 0;
};

struct HighVoltageReading {
    std::int32_t HvCurrent = 0;  // steps of n, 0..1023
    double Volts = 0;            // HvCurrent under the calibration in force
};

// The card's backup countdown, which paces the autosave.
struct BackupCountdown {
    std::uint32_t period = 0;       // seconds
    std::uint32_t tillNearest = 0;  // seconds till the next backup is due
};

struct CaptureReadings {
    std::optional<CounterReadings> counters;
    std::optional<BackupCountdown> backup;
    std::optional<HighVoltageReading> highVoltage;
    std::optional<std::int32_t> amplitudeCurrent;  // the vibrator's, 0..1023
};

}  // namespace qv

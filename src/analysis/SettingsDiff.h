#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/Measurement.h"

namespace qv::analysis {

// One setting that two measurements hold differently. Where the raw value
// stands for a physical one, both are given: the high voltage in volts, the
// velocity in mm/s, the drive frequency in Hz, each from the calibration that
// the measurement itself stores.
struct SettingDifference {
    std::string block;  // "counters", "analogue", "highVoltage", "vibrator"
    std::string field;  // the field name, e.g. "HvDesired"
    std::string a, b;   // raw values as text
    std::string unit;   // "V", "mm/s", "Hz" or empty
    std::optional<double> aPhysical, bPhysical;
};

std::vector<SettingDifference> DiffSettings(const SettingsImage& a, const SettingsImage& b);

// How long and how much a measurement counted.
struct RunSummary {
    std::uint32_t qv1Cycles = 0;  // cycles to stop: start value minus current value
    std::uint32_t qv2Cycles = 0;
    double sweepSeconds = 0;  // Qv1 cycles at the drive frequency
    std::int32_t aaLiveSeconds = 0;
    std::int64_t aaRealSeconds = 0;  // live plus dead time
    std::uint64_t qv1Counts = 0;
    std::uint64_t qv2Counts = 0;
    std::uint64_t aaCounts = 0;  // anticoincidence plus coincidence
};
RunSummary Summarize(const Measurement& m);

double HighVoltageVolts(const HighVoltageBlock& hv);
double VelocityMmPerS(const VibratorBlock& v);
double DriveFrequencyHz(const VibratorBlock& v);

}  // namespace qv::analysis

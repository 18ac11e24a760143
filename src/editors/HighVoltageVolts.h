#pragma once

#include <cstdint>
#include <string>

#include "document/HardwareDescription.h"
#include "document/SettingsBlocks.h"

namespace qv {

// The supply's voltage for a desired value n: n is first raised to the lower
// limit, then lowered to the upper one (so crossed limits give the upper), and
// the single-precision coefficients are applied in extended precision.
long double HighVoltageVolts(std::int32_t desired, std::int32_t lowerLimit, std::int32_t upperLimit,
                             float slope, float offset);
long double HighVoltageVolts(std::int32_t desired, const HvCalibration& calibration);
// With the coefficients stored in the block itself, as a measurement was taken.
long double HighVoltageVolts(const HighVoltageBlock& block);

// "%6.1f": the form every high-voltage read-out uses.
std::string VoltsText(long double volts);

}  // namespace qv

#include "editors/HighVoltageVolts.h"

#include <algorithm>
#include <cstdio>

namespace qv {

long double HighVoltageVolts(std::int32_t desired, std::int32_t lowerLimit, std::int32_t upperLimit,
                             float slope, float offset) {
    const std::int32_t n = std::min(std::max(desired, lowerLimit), upperLimit);
    return static_cast<long double>(n) * static_cast<long double>(slope) +
           static_cast<long double>(offset);
}

long double HighVoltageVolts(std::int32_t desired, const HvCalibration& c) {
    return HighVoltageVolts(desired, c.HvLowerLimit, c.HvUpperLimit, c.HvSlope, c.HvOffset);
}

long double HighVoltageVolts(const HighVoltageBlock& b) {
    return HighVoltageVolts(b.HvDesired, b.HvLowerLimit, b.HvUpperLimit, b.HvSlope, b.HvOffset);
}

std::string VoltsText(long double volts) {
    char text[64];
    std::snprintf(text, sizeof text, "%6.1Lf", volts);
    return text;
}

}  // namespace qv

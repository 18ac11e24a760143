#include "editors/VibratorReadouts.h"

#include <cstdio>

namespace qv {

namespace {
constexpr double kCrystalHz = 24'000'000.0;
constexpr double kSamplesPerPeriod = 8192.0;
}  // namespace

float DriveFrequency(int k, int l) {
    const double ticksPerSample = (8.0 * (k + 1) + 24.0) * (256.0 - l);
    return static_cast<float>(kCrystalHz / (ticksPerSample * kSamplesPerPeriod));
}

float VelocityCoefficient(const VelocityCoefficients& coefficients, bool highRange) {
    return highRange ? coefficients.VelocityCoefHigh : coefficients.VelocityCoefLow;
}

float PeakVelocity(float coefficient, int amplitude) {
    return coefficient * static_cast<float>(amplitude);
}

std::string VelocityText(float velocity) {
    char text[64];
    std::snprintf(text, sizeof text, "%7.3f", static_cast<double>(velocity));
    return text;
}

float BlockVelocity(const VibratorBlock& block) {
    const VelocityCoefficients stored{block.VelocityCoefHigh, block.VelocityCoefLow};
    return PeakVelocity(VelocityCoefficient(stored, block.HighRange != 0), block.AmplitudeDesired);
}

}  // namespace qv

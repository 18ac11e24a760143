#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/AlphaIron.h"

namespace qv::analysis {

struct CalibratedLine {
    double position = 0;  // mm/s on the calibrated scale
    double width = 0;     // full width at half depth, mm/s
    double depth = 0;     // fraction of the baseline
    double residual = 0;  // position minus the alpha-iron value, mm/s
};

// The velocity scale of a triangular sweep. Memory channels count from 0; the
// half that ends at the folding point runs from +maxVelocity at channel
// foldingPoint - N/2 down to minVelocity at the folding point, as the standard
// triangular reference does (it starts at its top).
struct Calibration {
    int channels = 0;
    double foldingPoint = 0;                           // N/4 <= F < 3N/4
    double zeroChannel = 0;                            // channel of zero velocity in that half
    double velocityPerChannel = 0;                     // mm/s, positive
    double maxVelocity = 0;                            // mm/s at the top turning point
    double minVelocity = 0;                            // mm/s at the folding point
    std::array<CalibratedLine, kSextetLines> lines{};  // ascending velocity
    double chi2 = 0;                                   // per degree of freedom

    // Velocity of a point of the half before the folding point, in unwrapped
    // memory channels (FoldedSpectrum::firstChannel and onwards).
    double VelocityAt(double channel) const;
};

// Either a calibration or the reason there is none, in the user's words.
struct CalibrationOutcome {
    std::optional<Calibration> calibration;
    std::string error;
};

inline constexpr const char* kNoCounts = "the spectrum holds no counts";
inline constexpr const char* kTooNoisy =
    "no \u03b1-iron sextet: the six lines do not stand out of the counting noise "
    "(too few counts, or another absorber)";
inline constexpr const char* kNotAlphaIron =
    "no \u03b1-iron sextet: the dips do not lie where the six \u03b1-iron lines would "
    "(another absorber?)";
inline constexpr const char* kFitFailed = "no \u03b1-iron sextet: the line fit did not converge";

// Calibrates a measurement of alpha-iron taken with a triangular sweep: finds
// the folding point, folds, fits the six lines and lays a straight velocity
// scale through them.
CalibrationOutcome Calibrate(std::span<const std::uint32_t> counts);

struct VelocityPoint {
    double velocity = 0;  // mm/s
    double counts = 0;    // sum of a channel and its mirror partner
};
// The folded spectrum on the calibrated velocity axis, slowest first.
std::vector<VelocityPoint> FoldOnVelocity(std::span<const std::uint32_t> counts,
                                          const Calibration& calibration);

}  // namespace qv::analysis

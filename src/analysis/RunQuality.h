#pragma once

#include <optional>
#include <vector>

#include "analysis/Calibration.h"

namespace qv::analysis {

// How far a run has come, from its folded spectrum alone: whether the lines
// stand out of the counting noise yet.
struct RunQuality {
    double baseline = 0;       // counts per folded channel off the lines
    double depth = 0;          // of the deepest line, fraction of the baseline
    double signalToNoise = 0;  // depth x baseline / sqrt(baseline)
};

// Nothing while the spectrum holds no counts. The baseline is the median of
// the folded counts (most channels lie off the lines); the deepest line is
// the lowest running median over a few channels, so that one low channel is
// not taken for a line.
std::optional<RunQuality> MeasureRunQuality(const std::vector<VelocityPoint>& points);

}  // namespace qv::analysis

#pragma once

#include <vector>

#include "analysis/Calibration.h"

namespace qv::analysis {

// The fitted sextet of a calibration laid over a folded spectrum: at every
// point, a baseline (constant, linear and quadratic in velocity, fitted to
// these counts with Poisson weights) times one less the six Lorentzian dips
// of the calibrated lines. Empty when there are too few points.
std::vector<double> SextetCurve(const std::vector<VelocityPoint>& points,
                                const Calibration& calibration);

}  // namespace qv::analysis

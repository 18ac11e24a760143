#pragma once

#include <array>
#include <optional>
#include <vector>

#include "analysis/SextetSearch.h"

namespace qv::analysis {

struct FittedLine {
    double position = 0;  // folded index
    double width = 0;     // full width at half depth, channels
    double depth = 0;     // counts below the baseline at the line
    double positionError = 0;
    double depthError = 0;
};

// Six Lorentzian dips on a baseline that may bend (constant, linear and
// quadratic terms across the spectrum), fitted by weighted non-linear least
// squares with Poisson weights.
struct SextetFit {
    std::array<FittedLine, kSextetLines> lines{};  // ascending position
    std::array<double, 3> baseline{};
    double chi2 = 0;  // per degree of freedom
    bool converged = false;
    int iterations = 0;

    // The baseline at a folded index.
    double BaselineAt(double index, std::size_t size) const;
};

// Nothing when the fit cannot start (fewer points than parameters).
std::optional<SextetFit> FitSextet(const std::vector<double>& folded, const SextetGuess& start);

// One unfolded half of a spectrum, started from the fit of its folded sum at
// half the counts, with the line widths held at that fit's: a half is asked
// only where its lines lie.
std::optional<SextetFit> FitHalfSextet(const std::vector<double>& half, const SextetFit& folded);

}  // namespace qv::analysis

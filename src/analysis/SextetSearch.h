#pragma once

#include <array>
#include <optional>
#include <vector>

#include "analysis/AlphaIron.h"

namespace qv::analysis {

// Where the six lines of a sextet seem to lie in a folded spectrum: the start
// values of the line fit.
struct SextetGuess {
    std::array<double, kSextetLines> positions{};  // folded index, ascending
    std::array<double, kSextetLines> depths{};     // counts below the baseline
    double width = 0;                              // full width at half depth, channels
    double baseline = 0;                           // counts
};

// Slides the alpha-iron pattern, stretched and moved, over the dips of the
// spectrum and keeps the placement that covers the deepest ones. Nothing when
// the spectrum has no counts to speak of.
std::optional<SextetGuess> GuessSextet(const std::vector<double>& folded);

// How well the pattern fits: the intensity-weighted mean depth under the six
// guessed positions, in units of the counting noise.
double PatternScore(const std::vector<double>& folded, const SextetGuess& guess);

}  // namespace qv::analysis

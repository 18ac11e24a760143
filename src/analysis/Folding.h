#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qv::analysis {

// One half of a triangular sweep with its mirror image from the other half
// added channel by channel. Folding happens about the nearest half channel to
// the requested point, so every folded count is the exact sum of two memory
// counts and keeps its counting statistics; `offset` says how far the true
// point lies from the one used.
struct FoldedSpectrum {
    std::vector<double> counts;
    // Memory channel of counts[0], unwrapped: it may lie below 0 when the
    // folding point is shifted; channel u is memory channel u mod N.
    int firstChannel = 0;
    double foldingPoint = 0;  // the point folded about, a multiple of 0.5
    double offset = 0;        // requested point minus foldingPoint, -0.25..0.25
};

// The point (in channels, N/4 <= F < 3N/4) about which the spectrum mirrors best,
// from its circular autocorrelation; the second candidate is the mirror point
// a quarter sweep away (see FindFoldingCandidates).
struct FoldingCandidates {
    double best = 0;
    double quarterAway = 0;
};
FoldingCandidates FindFoldingCandidates(std::span<const std::uint32_t> counts);

// Folds the half that ends at the folding point (channels F - N/2 .. F) with
// its mirror partners (F .. F + N/2), wrapping around the memory.
FoldedSpectrum Fold(std::span<const std::uint32_t> counts, double foldingPoint);

// The point in folded coordinates that a folded index stands for, as an
// unwrapped memory channel of the half before the folding point.
inline double FoldedChannel(const FoldedSpectrum& f, double index) {
    return f.firstChannel + index + f.offset;
}

}  // namespace qv::analysis

#include <algorithm>

#include "document/Measurement.h"

namespace qv {

namespace {
// Range and minimum of one Qv spectrum; a flat spectrum has range 1.
void RangeAndMinimum(const Spectrum& s, std::uint32_t& range, std::uint32_t& minimum) {
    const auto [lo, hi] = std::minmax_element(s.begin(), s.end());
    minimum = *lo;
    range = *hi - *lo;
    if (range == 0) {
        range = 1;
    }
}
}  // namespace

SpectrumStatistics ComputeStatistics(const Measurement& m) {
    SpectrumStatistics stats;
    stats.AaSumMaximum = 1;
    for (std::size_t c = 0; c < kChannels; ++c) {
        stats.AaSumMaximum = std::max(stats.AaSumMaximum, m.AaSum(c));
    }
    RangeAndMinimum(m.Qv2, stats.Qv2Range, stats.Qv2Minimum);
    RangeAndMinimum(m.Qv1, stats.Qv1Range, stats.Qv1Minimum);
    return stats;
}

}  // namespace qv

#include "view/PeakMeasure.h"

#include <cmath>

namespace qv {

namespace {

constexpr std::int32_t kChannels = 4096;
constexpr std::int32_t kLastSearched = 4095;

std::uint32_t Sum(AaSpectra aa, std::int32_t c) {
    const auto channel = static_cast<std::size_t>(c);
    return aa[channel] + aa[kChannels + channel];
}

// Both passes over left..right: maximum, total, mean and sample deviation.
void Statistics(AaSpectra aa, PeakResult& peak) {
    double total = 0;
    double moment = 0;
    for (std::int32_t c = peak.left; c <= peak.right; ++c) {
        const std::uint32_t s = Sum(aa, c);
        peak.max = std::max(peak.max, s);
        total += s;
        moment += static_cast<double>(c) * s;
    }
    if (total > 0) {
        const double mean = moment / total;
        peak.mean = mean;
        double variance = 0;
        for (std::int32_t c = peak.left; c <= peak.right; ++c) {
            variance += Sum(aa, c) * (c - mean) * (c - mean);
        }
        if (total > 1) {
            peak.stdDev = std::sqrt(variance / (total - 1));
        }
    }
    peak.integral = static_cast<std::uint32_t>(total);
}

}  // namespace

PeakSearch MeasurePeak(AaSpectra aa, std::int32_t start, std::uint32_t noiseCutoff) {
    PeakSearch search;
    std::int32_t c = start;
    while (c < kChannels && Sum(aa, c) < noiseCutoff) {
        ++c;
    }
    if (c >= kLastSearched) {
        return search;
    }
    while (c > 0 && Sum(aa, c) != 0) {
        --c;
    }
    search.peak.left = c + 1;
    search.leftFound = true;
    c = search.peak.left;
    while (c < kChannels && Sum(aa, c) != 0) {
        ++c;
    }
    if (c >= kLastSearched) {
        return search;
    }
    search.peak.right = c - 1;
    search.peak.scope = search.peak.right - search.peak.left + 1;
    Statistics(aa, search.peak);
    search.complete = true;
    search.next = search.peak.right;
    return search;
}

}  // namespace qv

#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace qv {

// The Aa sum, channel by channel, as the slider service measures it.
using AaSpectra = std::span<const std::uint32_t>;  // anticoincidence then coincidence

// One peak of the Aa sum: the whole run of non-zero channels around the first
// channel that reaches the noise cutoff.
struct PeakResult {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t scope = 0;
    std::uint32_t integral = 0;
    std::uint32_t max = 0;
    // Undefined for a peak without counts (mean) or with one count (deviation).
    std::optional<double> mean;
    std::optional<double> stdDev;
};

// What one search found: the channel after which the next search starts, and
// which results it stored (none, only the left limit, or all of them).
struct PeakSearch {
    std::int32_t next = 4095;
    bool leftFound = false;
    bool complete = false;
    PeakResult peak;
};

PeakSearch MeasurePeak(AaSpectra aa, std::int32_t start, std::uint32_t noiseCutoff);

}  // namespace qv

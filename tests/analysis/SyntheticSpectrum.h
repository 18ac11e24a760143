#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "analysis/AlphaIron.h"

namespace qv::analysis::testing {

// A triangular sweep through an absorber, worked out independently of the
// code under test: the velocity falls linearly from maxVelocity at the top
// turning point (foldingPoint - N/2) to minVelocity at the folding point and
// rises back, wrapping around the memory.
struct Sweep {
    int channels = 4096;
    double foldingPoint = 2047.5;
    double maxVelocity = 8.0;
    double minVelocity = -8.0;
    double baseline = 1e6;  // counts per channel far from any line

    double VelocityPerChannel() const { return (maxVelocity - minVelocity) / (channels / 2.0); }
    double ZeroChannel() const {
        return foldingPoint - channels / 2.0 + maxVelocity / VelocityPerChannel();
    }
    double VelocityOf(int channel) const {
        double x = std::fmod(channel - (foldingPoint - channels / 2.0), channels);
        if (x < 0) {
            x += channels;
        }
        const double half = channels / 2.0;
        return x < half ? maxVelocity - x * VelocityPerChannel()
                        : minVelocity + (x - half) * VelocityPerChannel();
    }
};

struct Line {
    double position;   // mm/s
    double depth;      // fraction of the baseline at the line centre
    double halfWidth;  // mm/s
};

inline std::vector<Line> AlphaIronFoil(double outerDepth = 0.15, double halfWidth = 0.14) {
    std::vector<Line> lines;
    for (int k = 0; k < kSextetLines; ++k) {
        lines.push_back({kAlphaIronLines[k], outerDepth * kAlphaIronIntensities[k] / 3, halfWidth});
    }
    return lines;
}

inline double Transmission(const std::vector<Line>& lines, double v) {
    double t = 1;
    for (const Line& l : lines) {
        const double d = v - l.position;
        t -= l.depth * l.halfWidth * l.halfWidth / (d * d + l.halfWidth * l.halfWidth);
    }
    return t;
}

// Expected counts, or Poisson draws from them when a seed is given.
inline std::vector<std::uint32_t> Measure(const Sweep& sweep, const std::vector<Line>& lines,
                                          unsigned seed = 0) {
    std::vector<std::uint32_t> counts(static_cast<std::size_t>(sweep.channels));
    std::mt19937_64 random(seed);
    for (int c = 0; c < sweep.channels; ++c) {
        const double mean = sweep.baseline * Transmission(lines, sweep.VelocityOf(c));
        if (seed == 0) {
            counts[static_cast<std::size_t>(c)] = static_cast<std::uint32_t>(std::lround(mean));
        } else {
            std::poisson_distribution<std::uint32_t> draw(mean);
            counts[static_cast<std::size_t>(c)] = draw(random);
        }
    }
    return counts;
}

}  // namespace qv::analysis::testing

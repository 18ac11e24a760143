#include "analysis/SextetSearch.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace qv::analysis {

namespace {

constexpr int kSmoothing = 5;          // channels in the running mean
constexpr double kBaselineRank = 0.8;  // most channels of a sextet lie off the lines
constexpr int kCoarse = 8;             // channels per step of the first search
constexpr int kShortestPattern = 6;    // outer-line distance, coarse steps
constexpr double kOuter = 5.312;
constexpr double kIntensitySum = 12;

std::vector<double> RunningMean(const std::vector<double>& y, int width) {
    const int n = static_cast<int>(y.size());
    std::vector<double> out(y.size());
    for (int i = 0; i < n; ++i) {
        const int lo = std::max(0, i - width / 2);
        const int hi = std::min(n - 1, i + width / 2);
        double sum = 0;
        for (int j = lo; j <= hi; ++j) {
            sum += y[static_cast<std::size_t>(j)];
        }
        out[static_cast<std::size_t>(i)] = sum / (hi - lo + 1);
    }
    return out;
}

double Quantile(std::vector<double> values, double rank) {
    const auto at = static_cast<std::ptrdiff_t>(rank * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + at, values.end());
    return values[static_cast<std::size_t>(at)];
}

// Linear interpolation; 0 outside. Inline and in signed integers, whose
// conversions to and from double are single instructions: the pattern search
// asks it over a million times.
[[gnu::always_inline]] inline double At(const std::vector<double>& d, double x) {
    const auto last = static_cast<std::ptrdiff_t>(d.size()) - 1;
    if (x < 0 || x > static_cast<double>(last)) {
        return 0;
    }
    const auto i = static_cast<std::ptrdiff_t>(x);
    const double t = x - static_cast<double>(i);
    const double* at = d.data() + i;
    return i < last ? at[0] * (1 - t) + at[1] * t : at[0];
}

// The same for a point known to lie within the samples, without the checks;
// it reads one sample past the last, so the samples carry a zero there.
[[gnu::always_inline]] inline double Inside(const double* d, double x) {
    const auto i = static_cast<std::ptrdiff_t>(x);
    const double t = x - static_cast<double>(i);
    return d[i] * (1 - t) + d[i + 1] * t;
}

// The pattern stretched to a scale: where its six lines and the five points
// halfway between them lie from its centre. Worked out once per scale, since
// the search places each scale at hundreds of centres.
struct Pattern {
    std::array<double, kSextetLines> lines{};
    std::array<double, kSextetLines - 1> gaps{};
};

Pattern Stretched(double perMm) {
    Pattern p;
    for (int k = 0; k < kSextetLines; ++k) {
        p.lines[k] = perMm * kAlphaIronLines[k];
        if (k > 0) {
            p.gaps[k - 1] = perMm * ((kAlphaIronLines[k] + kAlphaIronLines[k - 1]) / 2);
        }
    }
    return p;
}

// Intensity-weighted depth under the six lines less the mean depth halfway
// between them, so that one broad dip under a squeezed pattern scores nothing.
template <typename Sample>
[[gnu::always_inline]] inline double Score(Sample at, double centre, const Pattern& pattern) {
    double onLines = 0, between = 0;
    for (int k = 0; k < kSextetLines; ++k) {
        onLines += kAlphaIronIntensities[k] * at(centre + pattern.lines[k]);
        if (k > 0) {
            between += at(centre + pattern.gaps[k - 1]);
        }
    }
    return onLines - kIntensitySum / (kSextetLines - 1) * between;
}

double Score(const std::vector<double>& depth, double centre, const Pattern& pattern) {
    return Score([&](double x) { return At(depth, x); }, centre, pattern);
}

// Most placements of the coarse search lie wholly within the spectrum: the
// outer lines bound the rest, and a sum rounds no lower for a larger term.
double CoarseScore(const std::vector<double>& padded, double centre, const Pattern& pattern) {
    const auto last = static_cast<double>(padded.size() - 2);
    if (centre + pattern.lines.front() >= 0 && centre + pattern.lines.back() <= last) {
        return Score([&](double x) { return Inside(padded.data(), x); }, centre, pattern);
    }
    const std::vector<double>& samples = padded;
    return Score([&](double x) { return x > last ? 0.0 : At(samples, x); }, centre, pattern);
}

struct Placement {
    double centre = 0;
    double perMm = 0;  // channels per mm/s
    double score = -1e300;
};

Placement CoarseSearch(const std::vector<double>& depth) {
    const std::size_t steps = depth.size() / kCoarse;
    std::vector<double> coarse(steps + 1);  // and a zero past the last
    for (std::size_t j = 0; j < steps; ++j) {
        for (int i = 0; i < kCoarse; ++i) {
            coarse[j] += depth[j * kCoarse + static_cast<std::size_t>(i)];
        }
    }
    const int m = static_cast<int>(steps);
    Placement best;
    for (int span = kShortestPattern; span < m - 1; ++span) {
        const double perMm = span / (2 * kOuter);
        const Pattern pattern = Stretched(perMm);
        for (int twiceCentre = span; twiceCentre <= 2 * (m - 1) - span; ++twiceCentre) {
            const double s = CoarseScore(coarse, twiceCentre / 2.0, pattern);
            if (s > best.score) {
                best = {twiceCentre / 2.0, perMm, s};
            }
        }
    }
    // Coarse step j holds channels j*4 .. j*4+3.
    best.centre = best.centre * kCoarse + (kCoarse - 1) / 2.0;
    best.perMm *= kCoarse;
    return best;
}

Placement FineSearch(const std::vector<double>& depth, Placement start) {
    Placement best = start;
    best.score = Score(depth, start.centre, Stretched(start.perMm));
    for (double dSpan = -2 * kCoarse; dSpan <= 2 * kCoarse; dSpan += 0.5) {
        const double perMm = start.perMm + dSpan / (2 * kOuter);
        const Pattern pattern = Stretched(perMm);
        for (double dc = -1.5 * kCoarse; dc <= 1.5 * kCoarse; dc += 0.5) {
            const double s = Score(depth, start.centre + dc, pattern);
            if (s > best.score) {
                best = {start.centre + dc, perMm, s};
            }
        }
    }
    return best;
}

// Full width at half depth of the line at `at`, walking outward on the side
// away from the other lines.
double WidthAt(const std::vector<double>& depth, double at, double step) {
    const double half = At(depth, at) / 2;
    double x = at;
    while (x >= 0 && x < static_cast<double>(depth.size()) && At(depth, x) > half) {
        x += step;
    }
    return 2 * std::abs(x - at);
}

}  // namespace

std::optional<SextetGuess> GuessSextet(const std::vector<double>& folded) {
    if (folded.size() < 4 * kCoarse * kShortestPattern) {
        return std::nullopt;
    }
    const std::vector<double> smooth = RunningMean(folded, kSmoothing);
    const double baseline = Quantile(smooth, kBaselineRank);
    if (baseline <= 0) {
        return std::nullopt;
    }
    std::vector<double> depth(smooth.size());
    std::transform(smooth.begin(), smooth.end(), depth.begin(),
                   [&](double y) { return baseline - y; });
    const Placement p = FineSearch(depth, CoarseSearch(depth));
    SextetGuess g;
    g.baseline = baseline;
    for (int k = 0; k < kSextetLines; ++k) {
        // The pattern is symmetric, so which end is which is left to the caller.
        g.positions[k] = p.centre + p.perMm * kAlphaIronLines[k];
        g.depths[k] = std::max(At(depth, g.positions[k]), 1.0);
    }
    const double innerGap = g.positions[3] - g.positions[2];
    g.width = std::clamp(WidthAt(depth, g.positions[0], -1), 2.0, std::max(2.0, innerGap / 2));
    return g;
}

double PatternScore(const std::vector<double>& folded, const SextetGuess& guess) {
    const std::vector<double> smooth = RunningMean(folded, kSmoothing);
    std::vector<double> depth(smooth.size());
    std::transform(smooth.begin(), smooth.end(), depth.begin(),
                   [&](double y) { return guess.baseline - y; });
    const double centre = (guess.positions.front() + guess.positions.back()) / 2;
    const double perMm = (guess.positions.back() - guess.positions.front()) / (2 * kOuter);
    const double noise = std::sqrt(guess.baseline / kSmoothing);
    return Score(depth, centre, Stretched(perMm)) / kIntensitySum / noise;
}

}  // namespace qv::analysis

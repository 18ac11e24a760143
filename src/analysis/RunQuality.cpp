#include "analysis/RunQuality.h"

#include <algorithm>
#include <cmath>

namespace qv::analysis {

namespace {

constexpr std::size_t kSmoothing = 9;  // channels; far narrower than an alpha-iron line

double Median(const std::vector<VelocityPoint>& points) {
    std::vector<double> counts(points.size());
    std::transform(points.begin(), points.end(), counts.begin(),
                   [](const VelocityPoint& p) { return p.counts; });
    const auto middle = counts.begin() + static_cast<std::ptrdiff_t>(counts.size() / 2);
    std::nth_element(counts.begin(), middle, counts.end());
    return *middle;
}

// The lowest running median: a line spans many channels, one stray channel does not count.
double LowestSmoothed(const std::vector<VelocityPoint>& points) {
    const std::size_t window = std::min(kSmoothing, points.size());
    double lowest = points.front().counts;
    std::vector<double> w(window);
    for (std::size_t start = 0; start + window <= points.size(); ++start) {
        for (std::size_t k = 0; k < window; ++k) {
            w[k] = points[start + k].counts;
        }
        std::nth_element(w.begin(), w.begin() + static_cast<std::ptrdiff_t>(window / 2), w.end());
        lowest = start == 0 ? w[window / 2] : std::min(lowest, w[window / 2]);
    }
    return lowest;
}

}  // namespace

std::optional<RunQuality> MeasureRunQuality(const std::vector<VelocityPoint>& points) {
    if (points.empty()) {
        return std::nullopt;
    }
    RunQuality q;
    q.baseline = Median(points);
    if (!(q.baseline > 0)) {
        return std::nullopt;
    }
    q.depth = std::max(0.0, (q.baseline - LowestSmoothed(points)) / q.baseline);
    q.signalToNoise = q.depth * q.baseline / std::sqrt(q.baseline);
    return q;
}

}  // namespace qv::analysis

#include "analysis/Folding.h"

#include <gsl/gsl_fft_complex.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

namespace qv::analysis {

namespace {

struct WavetableDeleter {
    void operator()(gsl_fft_complex_wavetable* w) const { gsl_fft_complex_wavetable_free(w); }
};
struct WorkspaceDeleter {
    void operator()(gsl_fft_complex_workspace* w) const { gsl_fft_complex_workspace_free(w); }
};

std::size_t Wrap(long long index, std::size_t n) {
    const long long size = static_cast<long long>(n);
    return static_cast<std::size_t>(((index % size) + size) % size);
}

// C(k) = sum over c of d(c) d(k - c), d the counts less their mean: how well
// the spectrum matches itself mirrored about k / 2. One convolution through
// the FFT instead of N^2 products.
std::vector<double> MirrorCorrelation(std::span<const std::uint32_t> counts) {
    const std::size_t n = counts.size();
    const double mean = std::accumulate(counts.begin(), counts.end(), 0.0) / static_cast<double>(n);
    std::vector<double> z(2 * n, 0.0);
    for (std::size_t c = 0; c < n; ++c) {
        z[2 * c] = counts[c] - mean;
    }
    std::unique_ptr<gsl_fft_complex_wavetable, WavetableDeleter> table(
        gsl_fft_complex_wavetable_alloc(n));
    std::unique_ptr<gsl_fft_complex_workspace, WorkspaceDeleter> work(
        gsl_fft_complex_workspace_alloc(n));
    gsl_fft_complex_forward(z.data(), 1, n, table.get(), work.get());
    for (std::size_t i = 0; i < n; ++i) {
        const double re = z[2 * i];
        const double im = z[2 * i + 1];
        z[2 * i] = re * re - im * im;
        z[2 * i + 1] = 2 * re * im;
    }
    gsl_fft_complex_inverse(z.data(), 1, n, table.get(), work.get());
    std::vector<double> c(n);
    for (std::size_t i = 0; i < n; ++i) {
        c[i] = z[2 * i];
    }
    return c;
}

// The vertex of the parabola through the peak and its two neighbours.
double RefinedPeak(const std::vector<double>& c, std::size_t k) {
    const std::size_t n = c.size();
    const double left = c[Wrap(static_cast<long long>(k) - 1, n)];
    const double mid = c[k];
    const double right = c[Wrap(static_cast<long long>(k) + 1, n)];
    const double curvature = left - 2 * mid + right;
    if (curvature >= 0) {
        return static_cast<double>(k);
    }
    return static_cast<double>(k) + 0.5 * (left - right) / curvature;
}

// The largest value within `reach` of `around` (circularly).
std::size_t LocalPeak(const std::vector<double>& c, std::size_t around, long long reach) {
    std::size_t best = around;
    for (long long d = -reach; d <= reach; ++d) {
        const std::size_t k = Wrap(static_cast<long long>(around) + d, c.size());
        if (c[k] > c[best]) {
            best = k;
        }
    }
    return best;
}

// k / 2 moved by whole half sweeps into [N/4, 3N/4).
double CentralPoint(double k, std::size_t n) {
    const double half = static_cast<double>(n) / 2;
    double f = std::fmod(k / 2, half);
    if (f < 0) {
        f += half;
    }
    return f < half / 2 ? f + half : f;
}

}  // namespace

FoldingCandidates FindFoldingCandidates(std::span<const std::uint32_t> counts) {
    const std::vector<double> c = MirrorCorrelation(counts);
    const std::size_t n = c.size();
    const auto best = static_cast<std::size_t>(std::max_element(c.begin(), c.end()) - c.begin());
    const std::size_t other =
        LocalPeak(c, Wrap(static_cast<long long>(best + n / 2), n), static_cast<long long>(n / 64));
    return {CentralPoint(RefinedPeak(c, best), n), CentralPoint(RefinedPeak(c, other), n)};
}

FoldedSpectrum Fold(std::span<const std::uint32_t> counts, double foldingPoint) {
    const long long n = static_cast<long long>(counts.size());
    const long long k = std::llround(2 * foldingPoint);
    FoldedSpectrum f;
    f.foldingPoint = static_cast<double>(k) / 2;
    f.offset = foldingPoint - f.foldingPoint;
    // Channels strictly between the two turning points; a channel that is its
    // own mirror image (integer folding point) has no partner and is left out.
    const long long first = static_cast<long long>(std::floor(static_cast<double>(k - n) / 2)) + 1;
    const long long last = static_cast<long long>(std::ceil(static_cast<double>(k) / 2)) - 1;
    f.firstChannel = static_cast<int>(first);
    f.counts.reserve(static_cast<std::size_t>(last - first + 1));
    for (long long c = first; c <= last; ++c) {
        f.counts.push_back(static_cast<double>(counts[Wrap(c, counts.size())]) +
                           counts[Wrap(k - c, counts.size())]);
    }
    return f;
}

}  // namespace qv::analysis

// Goal: calibrating a 4096-channel alpha-iron spectrum takes under 15 ms.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/AlphaIron.h"
#include "analysis/Calibration.h"

namespace {

// A noisy day-long measurement: +-8.35 mm/s triangle, 1e5 counts a channel.
std::vector<std::uint32_t> AlphaIronSpectrum() {
    std::vector<std::uint32_t> counts(4096);
    std::mt19937_64 random(1);
    const double perChannel = 2 * 8.35 / 2048;
    for (int c = 0; c < 4096; ++c) {
        const double x = c < 2048 ? c + 0.5 : 4095.5 - c;
        const double v = 8.35 - x * perChannel;
        double t = 1;
        for (int k = 0; k < qv::analysis::kSextetLines; ++k) {
            const double d = v - qv::analysis::kAlphaIronLines[k];
            t -= 0.05 * qv::analysis::kAlphaIronIntensities[k] * 0.0225 / (d * d + 0.0225);
        }
        std::poisson_distribution<std::uint32_t> draw(1e5 * t);
        counts[static_cast<std::size_t>(c)] = draw(random);
    }
    return counts;
}

void BM_Calibrate4096Channels(benchmark::State& state) {
    const auto counts = AlphaIronSpectrum();
    for (auto _ : state) {
        auto outcome = qv::analysis::Calibrate(counts);
        if (!outcome.calibration) {
            state.SkipWithError(outcome.error.c_str());
        }
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_Calibrate4096Channels)->Unit(benchmark::kMillisecond);

void BM_FoldOnVelocity(benchmark::State& state) {
    const auto counts = AlphaIronSpectrum();
    const auto cal = *qv::analysis::Calibrate(counts).calibration;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::analysis::FoldOnVelocity(counts, cal));
    }
}
BENCHMARK(BM_FoldOnVelocity)->Unit(benchmark::kMicrosecond);

}  // namespace

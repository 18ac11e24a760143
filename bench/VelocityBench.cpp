// Goal: folding Qv1 and Qv2 and redrawing the whole velocity window at
// 1920 x 1080 takes under 2 ms, so that it adds nothing noticeable to a 1.5 s
// refresh tick.
#include <benchmark/benchmark.h>

#include <vector>

#include "analysis/Calibration.h"
#include "hardware/HardwareGlobals.h"
#include "simulator/SimulatedRun.h"
#include "simulator/VirtualSpectrometer.h"
#include "view/VelocityRenderer.h"

namespace {

struct Day {
    std::vector<std::uint32_t> aa = std::vector<std::uint32_t>(8192);
    std::vector<std::uint32_t> qv1 = std::vector<std::uint32_t>(4096);
    std::vector<std::uint32_t> qv2 = std::vector<std::uint32_t>(4096);
};

// A day of alpha-iron on the virtual card.
const Day& AlphaIronDay() {
    static const Day day = [] {
        Day d;
        qv::ManualTickClock clock;
        qv::VirtualSpectrometer card(clock);
        qv::HardwareGlobals::Instance().SetBus(card);
        qv::HardwareGlobals::Instance().SetClock(clock);
        qv::sim::SimulatedRun run(clock);
        run.Configure();
        run.ClearAndStart();
        run.Wait(86400);
        run.Stop();
        run.Read(d.aa.data(), d.qv1.data(), d.qv2.data());
        qv::HardwareGlobals::Instance().Reset();
        return d;
    }();
    return day;
}

void Redraw(benchmark::State& state, const qv::VelocityPlotOptions& options) {
    const Day& day = AlphaIronDay();
    const auto outcome = qv::analysis::Calibrate(day.qv1);
    if (!outcome.calibration) {
        state.SkipWithError(outcome.error.c_str());
        return;
    }
    const std::vector<qv::VelocityTrace> traces = {{"Qv1", day.qv1, qv::kVelocityQv1Colour},
                                                   {"Qv2", day.qv2, qv::kVelocityQv2Colour}};
    qv::VelocityRenderer renderer;
    qv::RgbCanvas canvas(1920, 1080);
    for (auto _ : state) {
        benchmark::DoNotOptimize(renderer.Draw(canvas, traces, &*outcome.calibration, options));
    }
}

// What every refresh costs with the window open.
void BM_FoldAndRedrawFullHd(benchmark::State& state) {
    Redraw(state, {});
}
BENCHMARK(BM_FoldAndRedrawFullHd)->Unit(benchmark::kMillisecond);

// With the markers, the fitted sextet and its residuals switched on.
void BM_FoldAndRedrawFullHdWithFit(benchmark::State& state) {
    Redraw(state, {true, true, true});
}
BENCHMARK(BM_FoldAndRedrawFullHdWithFit)->Unit(benchmark::kMillisecond);

// The calibration the operator starts from the Service menu, on the same day.
void BM_CalibrateVirtualDay(benchmark::State& state) {
    const Day& day = AlphaIronDay();
    for (auto _ : state) {
        benchmark::DoNotOptimize(qv::analysis::Calibrate(day.qv1));
    }
}
BENCHMARK(BM_CalibrateVirtualDay)->Unit(benchmark::kMillisecond);

}  // namespace

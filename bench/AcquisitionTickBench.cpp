// One acquisition tick with auto-refresh on the virtual card in a 1920x1080
// window: the capture of the settings and spectra, the statistics, the cursor
// read-outs, the remark panel and the full repaint the tick asks for. Goal:
// under 1.5 ms of the 1.5 s period, so the program stays responsive while it counts.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>

#include "CountingProgram.h"

namespace qv {
namespace {

using bench::CountingProgram;

void AutoRefreshTick(benchmark::State& state) {
    CountingProgram program;
    program.View().OnAutoRefresh();
    for (auto _ : state) {
        program.Tick();
        benchmark::DoNotOptimize(program.Canvas().Data());
    }
}
BENCHMARK(AutoRefreshTick)->Unit(benchmark::kMillisecond);

// For comparison: a tick whose backup is due every time, so it also saves the
// file (crash-safe: written beside, synced, renamed) and then auto-refreshes.
void AutoSaveAndRefreshTick(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qv-tick-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    {
        CountingProgram program;
        program.AutoSaveAndRefresh((folder / "run.qv").string());
        for (auto _ : state) {
            // The card's countdown (600 s from power-up or its re-arm) has run out.
            program.Wait(600'000);
            program.Tick();
            benchmark::DoNotOptimize(program.Doc().IsModified());
        }
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(AutoSaveAndRefreshTick)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv

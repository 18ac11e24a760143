// A day of counting on the virtual card with a capture and a save every hour,
// as a job runs it, and four days to show the cost grows linearly in hours.
// Goal: a day under 0.25 s, under 3 ms per simulated hour (per_hour, wall
// time; it carries the start and stop as well). The saves are synced to the
// disk, so run it with TMPDIR on a RAM disk as well to see the counting alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "QvTool.h"

namespace {

void BM_HourlySavedRunJob(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "qv-job-bench";
    std::filesystem::create_directories(dir);
    const std::string saved = (dir / "run{n:02}.qv").string();
    const std::string hours = std::to_string(state.range(0));
    const std::vector<std::string> args = {
        "qvtool",    "card",    "--simulate",    "clear", "start", "loop " + hours,
        "wait 3600", "capture", "save " + saved, "end",   "stop"};
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    for (auto _ : state) {
        std::ostringstream out, err;
        if (qv::tool::RunQvTool(static_cast<int>(argv.size()), argv.data(), out, err) != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
    state.counters["per_hour"] = benchmark::Counter(
        static_cast<double>(state.range(0)),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_HourlySavedRunJob)->Arg(24)->Arg(96)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

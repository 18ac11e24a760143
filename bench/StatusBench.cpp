// The status page's share of the run. Goals: one snapshot (copied on the
// acquisition thread after each capture) under 0.2 ms; one /status.json
// answer over the loopback, connection included, under 1 ms.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include "CountingProgram.h"
#include "status/StatusJson.h"
#include "status/StatusService.h"

namespace qv {
namespace {

using bench::CountingProgram;

// After a real capture, so that every figure is there to copy.
void SnapshotAfterCapture(benchmark::State& state) {
    CountingProgram program;
    program.View().OnAutoRefresh();
    program.Tick();
    StatusBoard board;
    for (auto _ : state) {
        StatusSnapshot s = SnapshotOfDocument(program.Doc(), 0, std::chrono::system_clock::now());
        AddViewState(s, program.View());
        board.Publish(std::move(s));
    }
}
BENCHMARK(SnapshotAfterCapture)->Unit(benchmark::kMicrosecond);

void StatusJsonAnswer(benchmark::State& state) {
    CountingProgram program;
    program.View().OnAutoRefresh();
    StatusService status("qv");
    status.Watch(program.View(), program.Doc());
    program.Tick();
    StatusOptions options;
    options.port = 0;
    std::string message;
    if (!status.Start(options, message)) {
        state.SkipWithError(message.c_str());
        return;
    }
    httplib::Client client("127.0.0.1", status.Server().Port());
    for (auto _ : state) {
        const auto res = client.Get("/status.json");
        if (!res || res->status != 200) {
            state.SkipWithError("no answer");
            break;
        }
        benchmark::DoNotOptimize(res->body.data());
    }
}
BENCHMARK(StatusJsonAnswer)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace qv

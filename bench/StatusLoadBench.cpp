// The status page under load on the loopback: 50 clients poll /status.json
// and the pictures, each every 0.1 s, while the acquisition loop ticks every 1.5 s with
// auto-refresh and autosave (the backup due at every tick). It stops by
// itself after QV_STATUS_LOAD_SECONDS (60 by default) and reports the
// requests, the failed ones, the longest tick and the resident memory after
// the fifth and the last tick. QV_STATUS_LOAD_CLIENTS=0 gives the ticks
// without the page's load, for comparison. Goals: no failure, no tick over its budget
// (the 1.5 s period; the tick bench's own goal is 5 ms), memory flat.
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "CountingProgram.h"
#include "status/StatusService.h"

namespace qv {
namespace {

using bench::CountingProgram;
using Clock = std::chrono::steady_clock;

constexpr int kClients = 50;
// Memory is compared from here on: the page's threads and caches are warm.
constexpr int kWarmTicks = 5;
constexpr auto kTickPeriod = std::chrono::milliseconds(1500);
// Between two requests of one client: 50 clients ask 500 times a second, a
// hundred times what 50 open pages would.
constexpr auto kPollPause = std::chrono::milliseconds(100);

double ResidentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

int Setting(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text ? std::max(0, std::atoi(text)) : fallback;
}

struct Tally {
    std::atomic<long> requests{0};
    std::atomic<long> failures{0};
    std::mutex mutex;
    std::string firstFailure;
    void Failed(const std::string& what) {
        ++failures;
        std::lock_guard lock(mutex);
        if (firstFailure.empty()) {
            firstFailure = what;
        }
    }
};

void Poll(int port, const std::atomic<bool>& stop, Tally& tally) {
    static const char* const kPaths[] = {"/status.json", "/view.png", "/status.json", "/runlog.png",
                                         "/velocity.png"};
    httplib::Client client("127.0.0.1", port);
    client.set_connection_timeout(5);
    client.set_read_timeout(10);
    for (std::size_t i = 0; !stop; ++i) {
        const char* path = kPaths[i % std::size(kPaths)];
        const auto res = client.Get(path);
        const int expected = std::string(path) == "/velocity.png" ? 404 : 200;
        ++tally.requests;
        if (!res) {
            tally.Failed(std::string(path) + ": " + httplib::to_string(res.error()));
        } else if (res->status != expected) {
            tally.Failed(std::string(path) + ": " + std::to_string(res->status));
        }
        std::this_thread::sleep_for(kPollPause);
    }
}

void StatusPageUnderLoad(benchmark::State& state) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("qv-status-load-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    for (auto _ : state) {
        CountingProgram program;
        program.AutoSaveAndRefresh((folder / "run.qv").string());
        StatusService status("qv");
        status.Watch(program.View(), program.Doc());
        StatusOptions options;
        options.port = 0;
        std::string message;
        if (!status.Start(options, message)) {
            state.SkipWithError(message.c_str());
            break;
        }
        program.Tick();  // the first snapshot, before anyone asks
        Tally tally;
        std::atomic<bool> stop{false};
        std::vector<std::thread> clients;
        for (int i = 0; i < Setting("QV_STATUS_LOAD_CLIENTS", kClients); ++i) {
            clients.emplace_back(Poll, status.Server().Port(), std::cref(stop), std::ref(tally));
        }
        const auto end = Clock::now() + std::chrono::seconds(Setting("QV_STATUS_LOAD_SECONDS", 60));
        double longest = 0, firstMiB = 0, lastMiB = 0;
        int ticks = 0;
        for (auto next = Clock::now(); next < end; next += kTickPeriod) {
            std::this_thread::sleep_until(next);
            program.Wait(600'000);  // the backup is due: every tick saves
            const auto start = Clock::now();
            program.Tick();
            longest = std::max(
                longest, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            lastMiB = ResidentMiB();
            firstMiB = ++ticks == kWarmTicks ? lastMiB : firstMiB;
        }
        stop = true;
        for (std::thread& client : clients) {
            client.join();
        }
        if (!tally.firstFailure.empty()) {
            state.SetLabel("first failure: " + tally.firstFailure);
        }
        state.counters["ticks"] = ticks;
        state.counters["requests"] = static_cast<double>(tally.requests);
        state.counters["failures"] = static_cast<double>(tally.failures);
        state.counters["max_tick_ms"] = longest;
        state.counters["rss_warm_MiB"] = firstMiB;
        state.counters["rss_last_MiB"] = lastMiB;
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(StatusPageUnderLoad)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace qv

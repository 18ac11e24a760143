// The status page under load on the loopback: 50 clients poll /status.json
// and the pictures, each every 0.1 s, while the acquisition loop ticks every
// 1.5 s with auto-refresh and autosave (the backup due at every tick). It
// stops by itself after QV_STATUS_LOAD_SECONDS (60 by default) and reports the
// requests, the failed ones, the longest tick, and the resident memory and the
// heap in use after the fifth tick, at half time and at the end (each the
// least of ten ticks), and the heap in use once the clients have gone.
// QV_STATUS_LOAD_CLIENTS=0 gives the ticks without the page's load, for
// comparison. Goals: no failure, no tick over its budget (the 1.5 s period;
// the tick bench's own goal is 5 ms), memory flat.
//
// The clients run in a child process forked before the program starts any
// thread, so the memory figures are the program's alone, as with browsers on
// other machines. A failed request makes the program's exit status 1.
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <span>
#include <thread>

#include "CountingProgram.h"
#include "framework/WriteAll.h"
#include "status/StatusService.h"

namespace qv {
namespace {

using bench::CountingProgram;
using Clock = std::chrono::steady_clock;

constexpr int kClients = 50;
// Memory is compared from here on: the page's threads and caches are warm.
constexpr std::size_t kWarmTicks = 5;
constexpr auto kTickPeriod = std::chrono::milliseconds(1500);
// Between two requests of one client: 50 clients ask 500 times a second, a
// hundred times what 50 open pages would.
constexpr auto kPollPause = std::chrono::milliseconds(100);

long g_failedRequests = 0;

int Setting(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text ? std::max(0, std::atoi(text)) : fallback;
}

// What the clients found, in the form it travels back through the pipe.
struct TallyRecord {
    long requests = 0;
    long failures = 0;
    char firstFailure[160] = {};
};

class Tally {
public:
    void Count(const std::string& failure) {
        std::lock_guard lock(m_mutex);
        ++m_record.requests;
        if (failure.empty()) {
            return;
        }
        if (m_record.failures++ == 0) {
            std::strncpy(m_record.firstFailure, failure.c_str(), sizeof m_record.firstFailure - 1);
        }
    }
    TallyRecord Record() {
        std::lock_guard lock(m_mutex);
        return m_record;
    }

private:
    std::mutex m_mutex;
    TallyRecord m_record;
};

// Empty when the answer is the one expected.
std::string Failure(const std::string& path, const httplib::Result& res) {
    const int expected = path == "/velocity.png" ? 404 : 200;
    if (!res) {
        return path + ": " + httplib::to_string(res.error());
    }
    return res->status == expected ? std::string() : path + ": " + std::to_string(res->status);
}

void Poll(int port, const std::atomic<bool>& stop, Tally& tally) {
    static const char* const kPaths[] = {"/status.json", "/view.png", "/status.json", "/runlog.png",
                                         "/velocity.png"};
    httplib::Client client("127.0.0.1", port);
    client.set_connection_timeout(5);
    client.set_read_timeout(10);
    for (std::size_t i = 0; !stop; ++i) {
        const std::string path = kPaths[i % std::size(kPaths)];
        tally.Count(Failure(path, client.Get(path)));
        std::this_thread::sleep_for(kPollPause);
    }
}

// All size bytes from fd, or false at its end or an error.
bool ReadWhole(int fd, void* data, std::size_t size) {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = ::read(fd, bytes, size);
        if (got <= 0) {
            return false;
        }
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

template <typename T>
bool WriteWhole(int fd, const T& value) {
    return WriteAll(fd, std::as_bytes(std::span(&value, 1))).empty();
}

// The clients' process: told the port, it polls until the parent closes its
// end of the pipe, then sends back its tally.
class ClientProcess {
public:
    explicit ClientProcess(int clients) {
        int toChild[2], fromChild[2];
        if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) {
            return;
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(toChild[1]);
            ::close(fromChild[0]);
            ::_exit(RunClients(clients, toChild[0], fromChild[1]));
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        m_toChild = toChild[1];
        m_fromChild = fromChild[0];
    }
    ClientProcess(const ClientProcess&) = delete;
    ClientProcess& operator=(const ClientProcess&) = delete;
    ~ClientProcess() { Finish(); }

    bool Started() const { return m_pid > 0; }
    void Begin(int port) { WriteWhole(m_toChild, port); }

    TallyRecord Finish() {
        TallyRecord record;
        if (m_pid <= 0) {
            return record;
        }
        ::close(m_toChild);
        if (!ReadWhole(m_fromChild, &record, sizeof record)) {
            std::strcpy(record.firstFailure, "the clients' process sent no tally");
            record.failures = 1;
        }
        ::close(m_fromChild);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
        return record;
    }

private:
    static int RunClients(int clients, int commands, int results) {
        int port = 0;
        if (!ReadWhole(commands, &port, sizeof port)) {
            return 1;
        }
        Tally tally;
        std::atomic<bool> stop{false};
        std::vector<std::thread> threads;
        for (int i = 0; i < clients; ++i) {
            threads.emplace_back(Poll, port, std::cref(stop), std::ref(tally));
        }
        char rest;
        while (::read(commands, &rest, 1) > 0) {
        }
        stop = true;
        for (std::thread& thread : threads) {
            thread.join();
        }
        const TallyRecord record = tally.Record();
        return WriteWhole(results, record) ? 0 : 1;
    }

    pid_t m_pid = -1;
    int m_toChild = -1;
    int m_fromChild = -1;
};

double ResidentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

double HeapInUseMiB() {
    return static_cast<double>(mallinfo2().uordblks) / 1048576.0;
}

// The program's memory after each tick. A single reading of the heap catches
// whatever requests are in flight at that moment, so the least over ten
// ticks stands for each point: after the fifth tick, before half time, and
// at the end.
class MemorySamples {
public:
    void Take() {
        m_resident.push_back(ResidentMiB());
        m_heap.push_back(HeapInUseMiB());
    }
    void Report(benchmark::State& state) const {
        const std::size_t half = std::max(m_heap.size() / 2, kWarmTicks + kWindow);
        const std::size_t starts[] = {kWarmTicks - 1, half - kWindow,
                                      m_heap.size() - std::min(m_heap.size(), kWindow)};
        static const char* const kWhen[] = {"warm", "half", "last"};
        for (int point = 0; point < 3; ++point) {
            state.counters[std::string("rss_") + kWhen[point] + "_MiB"] =
                Least(m_resident, starts[point]);
            state.counters[std::string("heap_") + kWhen[point] + "_MiB"] =
                Least(m_heap, starts[point]);
        }
    }

private:
    static constexpr std::size_t kWindow = 10;

    static double Least(const std::vector<double>& values, std::size_t start) {
        if (start >= values.size()) {
            return 0;
        }
        const auto end =
            values.begin() + static_cast<std::ptrdiff_t>(std::min(values.size(), start + kWindow));
        return *std::min_element(values.begin() + static_cast<std::ptrdiff_t>(start), end);
    }

    std::vector<double> m_resident;
    std::vector<double> m_heap;
};

struct TickRecord {
    int ticks = 0;
    double longestMs = 0;
    MemorySamples memory;
};

TickRecord TickFor(CountingProgram& program, std::chrono::seconds length) {
    TickRecord record;
    const auto end = Clock::now() + length;
    for (auto next = Clock::now(); next < end; next += kTickPeriod) {
        std::this_thread::sleep_until(next);
        program.Wait(600'000);  // the backup is due: every tick saves
        const auto start = Clock::now();
        program.Tick();
        record.longestMs =
            std::max(record.longestMs,
                     std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        ++record.ticks;
        record.memory.Take();
    }
    return record;
}

void StatusPageUnderLoad(benchmark::State& state) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("qv-status-load-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    for (auto _ : state) {
        ClientProcess clients(Setting("QV_STATUS_LOAD_CLIENTS", kClients));
        if (!clients.Started()) {
            state.SkipWithError("the clients' process did not start");
            break;
        }
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
        clients.Begin(status.Server().Port());
        const TickRecord ticks =
            TickFor(program, std::chrono::seconds(Setting("QV_STATUS_LOAD_SECONDS", 60)));
        const TallyRecord tally = clients.Finish();
        // With no request in flight: what the page keeps, not what it is sending.
        state.counters["heap_quiet_MiB"] = HeapInUseMiB();
        g_failedRequests += tally.failures;
        if (tally.failures > 0) {
            state.SetLabel(std::string("first failure: ") + tally.firstFailure);
        }
        state.counters["ticks"] = ticks.ticks;
        state.counters["requests"] = static_cast<double>(tally.requests);
        state.counters["failures"] = static_cast<double>(tally.failures);
        state.counters["max_tick_ms"] = ticks.longestMs;
        ticks.memory.Report(state);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(StatusPageUnderLoad)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
}  // namespace qv

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return qv::g_failedRequests == 0 ? 0 : 1;
}

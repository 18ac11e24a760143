// The port layer's own cost per port access: CHardwarePort over a bus that
// answers at once and holds no card, so only the transfer code is measured.
// Goal: under 10 ns per access (the ISA bus takes about 1 us).
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "hardware/CHardwarePort.h"
#include "hardware/CardRegisters.h"
#include "hardware/CommandCodes.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/PortBus.h"
#include "hardware/TickClock.h"

namespace qv {
namespace {

// Always ready for everything; data bytes are 0. It only counts the accesses.
class ReadyBus : public PortBus {
public:
    std::uint8_t In(std::uint16_t port) override {
        ++accesses;
        return port == kStatusPort ? kReady : 0;
    }
    void Out(std::uint16_t, std::uint8_t) override { ++accesses; }

    std::int64_t accesses = 0;

private:
    static constexpr std::uint16_t kStatusPort =
        HardwareGlobals::kDefaultPortBase + kStatusPortOffset;
    static constexpr std::uint8_t kReady =
        kStatusSignature | kStatusWord | kStatusRxf | kStatusTxe | kStatusReady;
};

template <typename Clock>
class ReadyCard {
public:
    ReadyCard() {
        HardwareGlobals::Instance().SetBus(m_bus);
        HardwareGlobals::Instance().SetClock(m_clock);
    }
    ~ReadyCard() { HardwareGlobals::Instance().Reset(); }
    CHardwarePort& Port() { return m_port; }
    void Report(benchmark::State& state) const {
        // Seconds per access, shown with its SI prefix (n for nanoseconds).
        state.counters["per_access"] =
            benchmark::Counter(static_cast<double>(m_bus.accesses),
                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
        state.SetItemsProcessed(m_bus.accesses);
    }

private:
    ReadyBus m_bus;
    Clock m_clock;
    CHardwarePort m_port;
};

// The analyser's 8192 words: one status look and four data bytes a word.
template <typename Clock>
void PortSpectrumRead(benchmark::State& state) {
    ReadyCard<Clock> card;
    std::vector<std::uint32_t> words(8192);
    for (auto _ : state) {
        benchmark::DoNotOptimize(card.Port().ReadSpectrum(kSelectAa, words.data()));
        benchmark::ClobberMemory();
    }
    card.Report(state);
}
BENCHMARK_TEMPLATE(PortSpectrumRead, ManualTickClock)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(PortSpectrumRead, SteadyTickClock)->Unit(benchmark::kMicrosecond);

// A counters write and a status-prefixed read back: every byte handshaked.
void PortCommands(benchmark::State& state) {
    ReadyCard<ManualTickClock> card;
    std::array<std::uint8_t, kCountersWriteLength> block{};
    std::string status;
    for (auto _ : state) {
        int result =
            card.Port().WriteCommand(kCmdWriteCounters, block.data(), kCountersWriteLength);
        result |= card.Port().StatusReadCommand(kCmdReadStatus, block.data(), kLiveCountersLength,
                                                status);
        benchmark::DoNotOptimize(result);
    }
    card.Report(state);
}
BENCHMARK(PortCommands)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qv

#include <benchmark/benchmark.h>

#include <vector>

#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"
#include "hardware/HardwareGlobals.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv {
namespace {

// A virtual card installed as the process's card, counting in all memories.
class CountingCard {
public:
    explicit CountingCard(double sourceRate) {
        VirtualSpectrometerOptions options;
        options.card.sourceRate = sourceRate;
        m_card = std::make_unique<VirtualSpectrometer>(m_clock, options);
        HardwareGlobals::Instance().SetBus(*m_card);
        HardwareGlobals::Instance().SetClock(m_clock);
        const std::uint8_t start[] = {0x33, 0x0C};
        m_port.WriteCommand(kCmdWriteRunControl, start, kRunControlLength);
        m_clock.Advance(10'000);
        m_card->Card().Memories();
    }
    ~CountingCard() { HardwareGlobals::Instance().Reset(); }

    ManualTickClock& Clock() { return m_clock; }
    VirtualSpectrometer& Card() { return *m_card; }
    CHardwarePort& Port() { return m_port; }

private:
    ManualTickClock m_clock;
    std::unique_ptr<VirtualSpectrometer> m_card;
    CHardwarePort m_port;
};

// The three memories, 16384 words, through the program's transfer layer: 81 944
// port accesses, about 82 ms on the card's ISA bus. Goal: 250 times as fast
// (under 0.33 ms), since every simulated run, job and test pays for it.
void FullReadout(benchmark::State& state) {
    CountingCard card(20000);
    std::vector<std::uint32_t> aa(8192), qv1(4096), qv2(4096);
    for (auto _ : state) {
        int result = card.Port().ReadSpectrum(kSelectAa, aa.data());
        result |= card.Port().ReadSpectrum(kSelectQv1, qv1.data());
        result |= card.Port().ReadSpectrum(kSelectQv2, qv2.data());
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(aa.data());
    }
    state.SetItemsProcessed(state.iterations() * 16384);
}
BENCHMARK(FullReadout)->Unit(benchmark::kMillisecond);

// One second of counting at 50 000 pulses/s in all three memories, counted
// out to the last channel.
void OneSecondOfCounting(benchmark::State& state) {
    CountingCard card(50000);
    for (auto _ : state) {
        card.Clock().Advance(1000);
        benchmark::DoNotOptimize(card.Card().Card().Memories().aa.data());
    }
}
BENCHMARK(OneSecondOfCounting)->Unit(benchmark::kMicrosecond);

// An hour in one go: the sweeps and seconds in between cost little.
void OneHourOfCounting(benchmark::State& state) {
    CountingCard card(50000);
    for (auto _ : state) {
        card.Clock().Advance(3'600'000);
        benchmark::DoNotOptimize(card.Card().Card().Memories().aa.data());
    }
}
BENCHMARK(OneHourOfCounting)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv

// One "Refresh from hardware" on the virtual card: the document's capture of
// the settings blocks and the 16384 spectrum words, with the statistics it
// recomputes at its end. Goal: well under 2 ms, so the 1.5 s tick never waits
// on the simulation.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchScenes.h"
#include "document/QvDoc.h"
#include "editors/DocumentEditors.h"
#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv {
namespace {

class CountingDocument {
public:
    CountingDocument() {
        m_card = bench::StartCountingCard(m_clock, 10'000);
        m_doc = std::make_unique<CQvDoc>(m_ui, std::nullopt);
        m_doc->OnNewDocument();
        m_doc->SetHardwareEditors(&m_editors);
    }
    ~CountingDocument() {
        m_doc.reset();
        HardwareGlobals::Instance().Reset();
    }

    ManualTickClock& Clock() { return m_clock; }
    CQvDoc& Doc() { return *m_doc; }

private:
    ManualTickClock m_clock;
    HeadlessUi m_ui;
    DocumentEditors m_editors;
    std::unique_ptr<VirtualSpectrometer> m_card;
    std::unique_ptr<CQvDoc> m_doc;
};

// The card counts on for a tick's 1.5 s between two captures.
void CaptureEveryTick(benchmark::State& state) {
    CountingDocument counting;
    for (auto _ : state) {
        counting.Clock().Advance(1500);
        benchmark::DoNotOptimize(counting.Doc().CaptureHardwareState());
    }
}
BENCHMARK(CaptureEveryTick)->Unit(benchmark::kMillisecond);

// The same capture of a card that has nothing new to count.
void CaptureStill(benchmark::State& state) {
    CountingDocument counting;
    for (auto _ : state) {
        benchmark::DoNotOptimize(counting.Doc().CaptureHardwareState());
    }
}
BENCHMARK(CaptureStill)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv

// One acquisition tick with auto-refresh on the virtual card in a 1920x1080
// window: the capture of the settings and spectra, the statistics, the cursor
// read-outs, the remark panel and the full repaint the tick asks for. Goal:
// under 1.5 ms of the 1.5 s period, so the program stays responsive while it counts.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <memory>

#include "BenchScenes.h"
#include "document/QvDoc.h"
#include "editors/DocumentEditors.h"
#include "framework/HeadlessUi.h"
#include "framework/RgbCanvas.h"
#include "hardware/HardwareGlobals.h"
#include "simulator/VirtualSpectrometer.h"
#include "view/QvView.h"

namespace qv {
namespace {

// A counting card and the program's view of it, as after start-up.
class CountingProgram {
public:
    CountingProgram() {
        m_card = bench::StartCountingCard(m_clock, 60'000);
        m_doc = std::make_unique<CQvDoc>(m_ui, std::nullopt);
        m_doc->OnNewDocument();
        m_doc->SetHardwareEditors(&m_editors);
        m_view = std::make_unique<CQvView>(m_ui, m_host);
        m_view->AttachDocument(*m_doc);
        m_view->Create([] { return true; });
        m_view->OnInitialUpdate();
        m_view->OnMeasureData();  // cursor read-outs and their lines too
    }
    ~CountingProgram() {
        m_view.reset();
        m_doc.reset();
        HardwareGlobals::Instance().Reset();
    }

    // The tick, then the paint its invalidation asks for.
    void Tick() {
        m_clock.Advance(1500);
        m_view->OnTimer();
        m_view->OnPaint(m_canvas);
    }
    void Wait(std::uint32_t ms) { m_clock.Advance(ms); }
    HeadlessUi& Desktop() { return m_ui; }
    CQvView& View() { return *m_view; }
    CQvDoc& Doc() { return *m_doc; }
    RgbCanvas& Canvas() { return m_canvas; }

private:
    ManualTickClock m_clock;
    HeadlessUi m_ui;
    DocumentEditors m_editors;
    bench::FullHdHost m_host;
    std::unique_ptr<VirtualSpectrometer> m_card;
    std::unique_ptr<CQvDoc> m_doc;
    std::unique_ptr<CQvView> m_view;
    RgbCanvas m_canvas{1920, 1080};
};

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
        program.Doc().DoSave((folder / "run.qv").string());
        // Not in suspend mode: stopping the card waits for the end of a sweep,
        // which this card's clock never reaches on its own.
        program.Desktop().QueueAnswer(MsgResult::Yes);
        program.Desktop().QueueAnswer(MsgResult::No);
        program.View().OnAutoSave();
        program.View().OnAutoRefresh();
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

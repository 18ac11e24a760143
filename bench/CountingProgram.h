#pragma once

// A counting virtual card and the program's view of it, as after start-up,
// for the benchmarks of the acquisition tick and what hangs on it.
#include <memory>
#include <string>

#include "BenchScenes.h"
#include "document/QvDoc.h"
#include "editors/DocumentEditors.h"
#include "framework/HeadlessUi.h"
#include "framework/RgbCanvas.h"
#include "hardware/HardwareGlobals.h"
#include "simulator/VirtualSpectrometer.h"
#include "view/QvView.h"

namespace qv::bench {

// The card counts from the start; every tick is 1.5 s of its time.
class CountingProgram {
public:
    CountingProgram() {
        m_card = StartCountingCard(m_clock, 60'000);
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
    // Saved once at path, then autosave (not in suspend mode: stopping the
    // card waits for the end of a sweep, which this card's clock never
    // reaches on its own) and auto-refresh on, as the operator switches them.
    void AutoSaveAndRefresh(const std::string& path) {
        m_doc->DoSave(path);
        m_ui.QueueAnswer(MsgResult::Yes);
        m_ui.QueueAnswer(MsgResult::No);
        m_view->OnAutoSave();
        m_view->OnAutoRefresh();
    }
    HeadlessUi& Desktop() { return m_ui; }
    CQvView& View() { return *m_view; }
    CQvDoc& Doc() { return *m_doc; }
    RgbCanvas& Canvas() { return m_canvas; }

private:
    ManualTickClock m_clock;
    HeadlessUi m_ui;
    DocumentEditors m_editors;
    FullHdHost m_host;
    std::unique_ptr<VirtualSpectrometer> m_card;
    std::unique_ptr<CQvDoc> m_doc;
    std::unique_ptr<CQvView> m_view;
    RgbCanvas m_canvas{1920, 1080};
};

}  // namespace qv::bench

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "editors/DataRemarkDlg.h"
#include "framework/CmdTarget.h"
#include "framework/DeviceContext.h"
#include "framework/Ui.h"
#include "view/CaptureWatch.h"
#include "view/DataParamsDlg.h"
#include "view/SliderAdjustDlg.h"
#include "view/ViewHost.h"

namespace qv {

class CQvDoc;
class CPulseRateDlg;
class RunMemory;
struct RememberedRun;

// A timer tick is being processed: a tick that arrives inside it (while one of
// its message boxes or dialogs is open) does nothing.
extern std::int32_t g_bInTimer;

// The spectrum view: draws the document's five spectra as coloured points on
// a grey field, fitted to the window or one pixel per channel with scroll
// bars, with two cursor lines in measure mode. It owns the data parameters
// panel (which holds the cursor and show state) and the acquisition timer.
//
// The view knows no toolkit: the window is its ViewHost, and painting goes
// into a CDC. The front end paints by calling OnPaint with a device context
// of the client area's size.
class CQvView : public CCmdTarget {
public:
    CQvView(Ui& ui, ViewHost& host);
    ~CQvView() override;
    CQvView(const CQvView&) = delete;
    CQvView& operator=(const CQvView&) = delete;

    // Window creation: createWindow makes the window; when it succeeds the
    // view creates and shows its panel and starts the timer.
    bool Create(const std::function<bool()>& createWindow);
    void AttachDocument(CQvDoc& document) { m_pDocument = &document; }
    CQvDoc& GetDocument() const { return *m_pDocument; }

    // After a new or opened document is attached.
    void OnInitialUpdate();
    // Applies the scaling mode; the arguments are ignored.
    void OnUpdate(CQvView* sender, long hint, void* hintObject);
    // Sets the device context's mapping for the scaling mode, then OnDraw.
    void OnPaint(CDC& dc);
    void OnPrepareDC(CDC& dc) const;
    void OnDraw(CDC& dc);
    void DrawSpectra(CDC& dc, int first, int last) const;

    void OnToggleZoom();
    void OnMeasureData();
    // flags: MK_LBUTTON, MK_RBUTTON; point in client pixels.
    void OnMouseMove(unsigned flags, CPoint point);
    void UpdateCursorReadouts();

    // "Refresh from hardware": the document's capture, then the read-outs, the
    // remark panel and a repaint, whatever the capture returned.
    void OnRefresh();
    // "Data&Remark": shows the remark panel with the document's remark.
    void OnDataRemark();
    // The toolbar toggles: auto-refresh at once, autosave after its questions.
    void OnAutoRefresh();
    void OnAutoSave();
    bool IsAutoRefreshOn() const { return m_bAutoRefresh != 0; }
    bool IsAutoSaveOn() const { return m_bAutoSave != 0; }
    bool IsSuspendOnSave() const { return m_bSuspendOnSave != 0; }
    // While autosave is on, the run is kept in memory for a start after a crash.
    void KeepRunIn(RunMemory* memory) { m_runMemory = memory; }
    // Goes on with a remembered run: autosave as it was, without its questions.
    void ResumeRun(const RememberedRun& run);
    // Settings > Qv Pulses/sec: the count-rate window, modal, fed by the timer.
    void OnPulseRate();
    // Service > Slider Adjust: the two-peak service, modal, fed by the refreshes.
    void OnSliderAdjust();
    // The acquisition tick, every 1.5 s.
    void OnTimer();
    void SetCaptureWatch(CaptureWatch watch) { m_watch = std::move(watch); }
    // After a job's operation: the cursor read-outs, the remark panel and a
    // repaint (captures also tell their watch).
    void ShowDocumentState();

    CDataParamsDlg& DataParams() { return m_dataParamsDlg; }
    CDataRemarkDlg& DataRemark() { return m_dataRemarkDlg; }
    CSliderAdjustDlg& SliderAdjust() { return m_sliderDlg; }
    CPulseRateDlg* CountRateWindow() const { return m_pCountRateDlg; }
    bool IsZoomed() const { return m_bZoom != 0; }
    bool IsDrawPending() const { return m_bDrawPending != 0; }

private:
    void RegisterAcquisitionCommands();
    // The autosave step of a tick: saves when the card's backup countdown ran
    // out. Returns its failure messages, held back until the tick is over.
    std::vector<MessageBoxRequest> AutoSaveTick();
    // A failed autosave: the status bar with the time, then its messages, at
    // most one such set open at a time, while the ticks go on.
    void ReportAutoSaveFailure(const std::vector<MessageBoxRequest>& messages);
    // After a capture: the document's state shown, and the watch told.
    void ShowCapturedState(int captured);
    // Remembers the run while autosave is on, forgets it otherwise.
    void RunStateChanged();
    void CreateDataRemarkPanel();
    void RefreshDataRemark();
    void DrawFull(CDC& dc);
    void DrawAroundOldCursors(CDC& dc);
    void DrawCursorLines(CDC& dc) const;
    int ChannelsPerPixel() const;
    int ChannelAt(CPoint point) const;

    Ui& m_ui;
    ViewHost& m_host;
    CQvDoc* m_pDocument = nullptr;

    std::int32_t m_bDrawPending = 0;
    std::int32_t m_bSuspendOnSave = 0;
    CPulseRateDlg* m_pCountRateDlg = nullptr;
    CDataRemarkDlg m_dataRemarkDlg;
    std::int32_t m_bAutoSave = 0;
    CSliderAdjustDlg m_sliderDlg;
    CDataParamsDlg m_dataParamsDlg;
    std::int32_t m_bAutoRefresh = 0;
    std::uint8_t m_bZoom = 0;
    bool m_autoSaveFailureOpen = false;
    RunMemory* m_runMemory = nullptr;
    // Tells a task that runs later whether the view is still there.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    CaptureWatch m_watch;
};

}  // namespace qv

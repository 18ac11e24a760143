#include "view/QvView.h"

#include "document/CommandIds.h"
#include "document/QvDoc.h"
#include "view/ScrollModes.h"
#include "view/ViewConstants.h"

namespace qv {

CQvView::CQvView(Ui& ui, ViewHost& host)
    : m_ui(ui), m_host(host), m_dataRemarkDlg(ui), m_sliderDlg(ui), m_dataParamsDlg(ui) {
    OnCommandId(ID_TOGGLE_ZOOM, [this] { OnToggleZoom(); });
    OnCommandId(ID_MEASURE_DATA, [this] { OnMeasureData(); });
    OnCommandId(ID_DATA_REMARK, [this] { OnDataRemark(); });
    RegisterAcquisitionCommands();
}

// The timer ends with the window; its tick must not outlive the view.
CQvView::~CQvView() {
    m_ui.KillTimer(kViewTimerId);
}

bool CQvView::Create(const std::function<bool()>& createWindow) {
    if (!createWindow()) {
        return false;
    }
    m_pCountRateDlg = nullptr;
    m_dataParamsDlg.Create();
    m_dataParamsDlg.m_bMeasure = 1;
    m_dataParamsDlg.ShowWindow(ShowCommand::Restore);
    CreateDataRemarkPanel();
    m_ui.SetTimer(kViewTimerId, kViewTimerPeriodMs, [this] { OnTimer(); });
    return true;
}

void CQvView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
    RefreshDataRemark();
    UpdateCursorReadouts();
    if (m_dataParamsDlg.m_bMeasure != 0) {
        m_dataParamsDlg.ShowWindow(ShowCommand::Show);
    }
}

// Both modes end with a repaint with erase, as the scrolling view's own mode
// setting does: the scroll bars come or go, and a newly attached document has
// to appear in zoomed mode too.
void CQvView::OnUpdate(CQvView*, long, void*) {
    if (m_bZoom != 0) {
        m_host.SetScrollBars(DefaultScrollSizes(kFieldSize));
    } else {
        m_host.RemoveScrollBars();
    }
    m_host.Invalidate(true);
}

// The document has this one view, so updating all its views is this call.
void CQvView::OnToggleZoom() {
    m_bZoom = m_bZoom != 0 ? 0 : 1;
    OnUpdate(nullptr, 0, nullptr);
}

void CQvView::OnMeasureData() {
    m_dataParamsDlg.ShowWindow(ShowCommand::Restore);
    m_dataParamsDlg.m_bMeasure = 1;
    m_host.Invalidate(false);
}

void CQvView::CreateDataRemarkPanel() {
    m_dataRemarkDlg.Create();
    m_dataRemarkDlg.ShowWindow(ShowCommand::Restore);
}

// The panel reads the document it is given; a new or reloaded one is given here.
void CQvView::RefreshDataRemark() {
    m_dataRemarkDlg.SetDocument(m_pDocument);
    m_dataRemarkDlg.RefreshFromDocument();
}

void CQvView::OnDataRemark() {
    m_dataRemarkDlg.ShowWindow(ShowCommand::Show);
    m_dataRemarkDlg.RefreshFromDocument();
}

}  // namespace qv

// The view's acquisition loop: the timer tick with autosave, auto-refresh and
// the count-rate window, their toolbar toggles, and the windows it feeds.
#include "document/CommandIds.h"
#include "document/QvDoc.h"
#include "editors/CountersTimersDlg.h"
#include "view/PulseRateDlg.h"
#include "view/QvView.h"

namespace qv {

std::int32_t g_bInTimer = 0;

namespace {

constexpr char kAutoSaveWarning[] =
    "AutoSaves under the name of the last open/saved file\n"
    "so do it once to set this file's name.\n\n"
    "    !!WARNING!!\nIt will COVER the open file!!\n"
    "So be careful not to DESTROY your VALUABLE DATA!!.";
constexpr char kAutoSaveWarningCaption[] = "About to AutoSave";
constexpr char kSuspendQuestion[] = "Suspend data aquisition when downloading from hardware?";
constexpr char kAutoSaveCaption[] = "AutoSave";
constexpr char kSuspendReminder[] =
    "Remember: for \"suspend\" spectrometer must not be Locked or must be UnLocked!";
constexpr char kSuspendReminderCaption[] = "AutoSave in Suspend mode";
constexpr char kBackupTimeOut[] =
    "   Hardware TimeOut!\n\nTurn the Spectrometer on\nor uncheck the AutoSave button.";

}  // namespace

void CQvView::RegisterAcquisitionCommands() {
    OnCommandId(ID_REFRESH, [this] { OnRefresh(); });
    OnCommandId(ID_AUTO_REFRESH, [this] { OnAutoRefresh(); });
    OnUpdateCommand(ID_AUTO_REFRESH, [this](CCmdUI& ui) { ui.SetRadio(m_bAutoRefresh != 0); });
    OnCommandId(ID_AUTO_SAVE, [this] { OnAutoSave(); });
    OnUpdateCommand(ID_AUTO_SAVE, [this](CCmdUI& ui) { ui.SetRadio(m_bAutoSave != 0); });
    OnCommandId(ID_PULSE_RATE, [this] { OnPulseRate(); });
    OnCommandId(ID_SLIDER_ADJUST, [this] { OnSliderAdjust(); });
}

// Autosave, then auto-refresh, then the count-rate window; a tick that comes
// while one of this tick's boxes or dialogs is open does nothing.
void CQvView::OnTimer() {
    if (g_bInTimer != 0) {
        return;
    }
    g_bInTimer = 1;
    if (m_bAutoSave != 0 && m_pDocument != nullptr) {
        AutoSaveTick();
    }
    if (m_bAutoRefresh != 0) {
        OnRefresh();
    }
    if (m_pCountRateDlg != nullptr) {
        m_pCountRateDlg->UpdateRates(0);
    }
    g_bInTimer = 0;
}

void CQvView::AutoSaveTick() {
    CCountersTimersDlg counters(m_ui);
    switch (counters.BackupDue()) {
        case 0: {
            CQvDoc& document = GetDocument();
            const int captured = m_bSuspendOnSave != 0 ? document.SuspendedCapture()
                                                       : document.CaptureHardwareState();
            const bool saved = captured == 0 && document.DoFileSave();
            if (m_watch.autoSaved) {
                m_watch.autoSaved({captured, saved, document.GetPathName()});
            }
            ShowCapturedState(captured);
            break;
        }
        case -1:
            m_ui.Message(kBackupTimeOut);
            break;
        default:
            break;
    }
}

void CQvView::OnRefresh() {
    const int captured = m_pDocument != nullptr ? m_pDocument->CaptureHardwareState() : 0;
    ShowCapturedState(captured);
    if (m_sliderDlg.m_bOpen != 0 && m_pDocument != nullptr) {
        m_sliderDlg.TickUpdate(m_pDocument->Data().Aa);
    }
}

// Whatever the capture returned: the document holds what it could read.
void CQvView::ShowCapturedState(int captured) {
    UpdateCursorReadouts();
    m_dataRemarkDlg.RefreshFromDocument();
    m_host.Invalidate(false);
    if (m_watch.captured && m_pDocument != nullptr) {
        m_watch.captured(captured);
    }
}

void CQvView::OnAutoRefresh() {
    m_bAutoRefresh = m_bAutoRefresh != 0 ? 0 : 1;
}

void CQvView::OnAutoSave() {
    if (m_bAutoSave != 0) {
        m_bSuspendOnSave = 0;
        m_bAutoSave = 0;
        return;
    }
    if (m_ui.Message(kAutoSaveWarning, kAutoSaveWarningCaption, MsgButtons::YesNo,
                     MsgIcon::Exclamation) != MsgResult::Yes) {
        return;
    }
    const bool suspend =
        m_ui.Message(kSuspendQuestion, kAutoSaveCaption, MsgButtons::YesNo) == MsgResult::Yes;
    m_bSuspendOnSave = suspend ? 1 : 0;
    if (suspend) {
        m_ui.Message(kSuspendReminder, kSuspendReminderCaption);
    }
    m_bAutoSave = 1;
}

void CQvView::OnPulseRate() {
    CPulseRateDlg dialog(m_ui);
    m_pCountRateDlg = &dialog;
    dialog.DoModal();
    m_pCountRateDlg = nullptr;
}

void CQvView::OnSliderAdjust() {
    m_sliderDlg.m_bOpen = 1;
    m_sliderDlg.DoModal();
    m_sliderDlg.m_bOpen = 0;
}

}  // namespace qv

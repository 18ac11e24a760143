// The view's acquisition loop: the timer tick with autosave, auto-refresh and
// the count-rate window, their toolbar toggles, and the windows it feeds.
#include <chrono>
#include <ctime>

#include "document/CommandIds.h"
#include "document/HardwareOperations.h"
#include "document/QvDoc.h"
#include "editors/CountersTimersDlg.h"
#include "framework/MessageHold.h"
#include "view/PulseRateDlg.h"
#include "view/QvView.h"
#include "view/RunMemory.h"

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
constexpr char kSuspendReminder[] =
    "Remember: for \"suspend\" spectrometer must not be Locked or must be UnLocked!";
constexpr char kSuspendReminderCaption[] = "AutoSave in Suspend mode";
constexpr char kBackupTimeOut[] =
    "   Hardware TimeOut!\n\nTurn the Spectrometer on\nor uncheck the AutoSave button.";

// "03:12:45", local time.
std::string ClockTime() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

// A message on one line, for the status bar.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n';
        if (!blank) {
            line += c;
        } else if (!line.empty() && line.back() != ' ') {
            line += ' ';
        }
    }
    return line;
}

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
// while one of this tick's boxes or dialogs is open does nothing. An
// autosave's failure is shown only after the tick, so that the ticks go on
// while its message waits for a click.
void CQvView::OnTimer() {
    if (g_bInTimer != 0) {
        return;
    }
    g_bInTimer = 1;
    std::vector<MessageBoxRequest> autoSaveFailure;
    if (m_bAutoSave != 0 && m_pDocument != nullptr) {
        autoSaveFailure = AutoSaveTick();
    }
    if (m_bAutoRefresh != 0) {
        OnRefresh();
    }
    if (m_pCountRateDlg != nullptr) {
        m_pCountRateDlg->UpdateRates(0);
    }
    g_bInTimer = 0;
    ReportAutoSaveFailure(autoSaveFailure);
}

std::vector<MessageBoxRequest> CQvView::AutoSaveTick() {
    CCountersTimersDlg counters(m_ui);
    switch (counters.BackupDue()) {
        case 0: {
            CQvDoc& document = GetDocument();
            MessageHold hold(document);
            const int captured = m_bSuspendOnSave != 0 ? document.SuspendedCapture()
                                                       : document.CaptureHardwareState();
            bool saved = false;
            if (captured == 0) {
                saved = document.DoFileSave();
                if (saved) {
                    m_host.ShowStatus("AutoSaved at " + ClockTime());
                    // The file may have been renamed by Save As since.
                    RunStateChanged();
                }
            } else if (hold.Held().empty() && captured != kCaptureSuspended) {
                // A readout that broke off has no message of its own; the
                // file was not saved, and that must not go unseen.
                document.ReportHardwareError(captured);
            }
            if (m_watch.autoSaved) {
                m_watch.autoSaved({captured, saved, document.GetPathName()});
            }
            ShowCapturedState(captured);
            return hold.Release();
        }
        case -1:
            return {{kBackupTimeOut, {}, MsgButtons::Ok, MsgIcon::None, nullptr}};
        default:
            return {};
    }
}

void CQvView::ReportAutoSaveFailure(const std::vector<MessageBoxRequest>& messages) {
    if (messages.empty()) {
        return;
    }
    m_host.ShowStatus("AutoSave failed at " + ClockTime() + ": " + OneLine(messages.front().text));
    if (m_autoSaveFailureOpen) {
        return;
    }
    m_autoSaveFailureOpen = true;
    // Opened from the event loop: a box opened inside the timer's own event
    // would hold that timer back until it is closed.
    m_ui.RunLater([this, alive = std::weak_ptr<int>(m_alive), messages] {
        if (alive.expired()) {
            return;
        }
        for (const MessageBoxRequest& message : messages) {
            m_ui.MessageBox(message);
        }
        m_autoSaveFailureOpen = false;
    });
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
    ShowDocumentState();
    if (m_watch.captured && m_pDocument != nullptr) {
        m_watch.captured(captured);
    }
}

void CQvView::ShowDocumentState() {
    UpdateCursorReadouts();
    m_dataRemarkDlg.RefreshFromDocument();
    m_host.Invalidate(false);
}

void CQvView::OnAutoRefresh() {
    m_bAutoRefresh = m_bAutoRefresh != 0 ? 0 : 1;
    RunStateChanged();
}

void CQvView::OnAutoSave() {
    if (m_bAutoSave != 0) {
        m_bSuspendOnSave = 0;
        m_bAutoSave = 0;
        RunStateChanged();
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
    RunStateChanged();
}

void CQvView::ResumeRun(const RememberedRun& run) {
    m_bAutoSave = 1;
    m_bSuspendOnSave = run.suspendOnSave ? 1 : 0;
    m_bAutoRefresh = run.autoRefresh ? 1 : 0;
    RunStateChanged();
    if (run.countRateWindow) {
        // Modal: opened from the event loop, once start-up is over.
        m_ui.RunLater([this, alive = std::weak_ptr<int>(m_alive)] {
            if (!alive.expired()) {
                OnPulseRate();
            }
        });
    }
}

void CQvView::RunStateChanged() {
    if (m_runMemory == nullptr) {
        return;
    }
    const bool kept =
        m_bAutoSave != 0 && m_pDocument != nullptr && !m_pDocument->GetPathName().empty();
    if (!kept) {
        m_runMemory->Forget();
        return;
    }
    m_runMemory->Remember({m_pDocument->GetPathName(), m_bSuspendOnSave != 0, m_bAutoRefresh != 0,
                           m_pCountRateDlg != nullptr});
}

void CQvView::OnPulseRate() {
    CPulseRateDlg dialog(m_ui);
    m_pCountRateDlg = &dialog;
    RunStateChanged();
    dialog.DoModal();
    m_pCountRateDlg = nullptr;
    RunStateChanged();
}

void CQvView::OnSliderAdjust() {
    m_sliderDlg.m_bOpen = 1;
    m_sliderDlg.DoModal();
    m_sliderDlg.m_bOpen = 0;
}

}  // namespace qv

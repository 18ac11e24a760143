#include "editors/ClearRunDlg.h"

#include "editors/ClearRunTemplate.h"
#include "editors/SettingEditorDlg.h"
#include "framework/DataExchange.h"
#include "hardware/CommandCodes.h"
#include "hardware/RunControlBits.h"
#include "hardware/TimeLimit.h"

namespace qv {

namespace {

std::uint8_t If(std::int32_t box, std::uint8_t bits) {
    return box != 0 ? bits : 0;
}

bool Differs(std::uint8_t stateByte, std::uint8_t bit, std::int32_t box) {
    return ((stateByte & bit) != 0) != (box != 0);
}

}  // namespace

CClearRunDlg::CClearRunDlg(Ui& ui) : CDialog(ClearRunTemplate(), ui) {
    OnButton(IDC_CLEAR_GO, [this] { OnClear(); });
    OnButton(IDC_RUN_GO, [this] { OnStartStop(); });
    OnButton(IDC_RUN_DISABLE, [this] { OnDisable(); });
}

bool CClearRunDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    BeginSequence();
    IdleHandshake();
    Finish(false);
    return true;
}

void CClearRunDlg::DoDataExchange(CDataExchange& dx) {
    DDX_Check(dx, IDC_CLEAR_QV2, ClearQv2);
    DDX_Check(dx, IDC_CLEAR_QV1, ClearQv1);
    DDX_Check(dx, IDC_CLEAR_AA, ClearAa);
    DDX_Check(dx, IDC_ENABLE_GO_QV2, EnableGoQv2);
    DDX_Check(dx, IDC_ENABLE_GO_QV1, EnableGoQv1);
    DDX_Check(dx, IDC_ENABLE_GO_AA, EnableGoAa);
    DDX_Check(dx, IDC_COUNT_QV2, Qv2Count);
    DDX_Check(dx, IDC_COUNT_QV1, Qv1Count);
    DDX_Check(dx, IDC_COUNT_AA, AaCount);
    DDX_Text(dx, IDC_RUN_STATUS, m_strStatus);
    DDX_Check(dx, IDC_RUN_ULOCK, ULock);
}

// --- Transfers ---------------------------------------------------------------

bool CClearRunDlg::WriteControl(std::uint8_t control0, std::uint8_t control1) {
    const std::uint8_t pair[] = {control0, control1};
    m_nLastError = m_port.WriteCommand(kCmdWriteRunControl, pair, kRunControlLength);
    return m_nLastError == 0;
}

bool CClearRunDlg::ReadState() {
    m_nLastError = m_port.ReadCommand(kCmdReadRunState, m_state.data(), kRunStateLength);
    return m_nLastError == 0;
}

bool CClearRunDlg::ReadStatus() {
    m_nLastError = m_port.ReadCommand(kCmdReadStatus, &m_status, kStatusLength);
    return m_nLastError == 0;
}

bool CClearRunDlg::Locked() const {
    return (m_status & kStatusLocked) != 0;
}

// An unlocked card (ULock) still obeys run control under the key.
bool CClearRunDlg::LockedWithoutULock() const {
    return Locked() && (m_status & kStatusULock) == 0;
}

// --- Sequences ---------------------------------------------------------------

void CClearRunDlg::BeginSequence() {
    m_nLastError = 0;
    m_timeOutText.clear();
}

bool CClearRunDlg::IdleHandshake() {
    TimeLimit limit(kConfirmLimitMs);
    if (!WriteControl(kIdleControl0, kIdleControl1)) {
        return false;
    }
    for (;;) {
        if (!ReadState() || !ReadStatus() || Locked()) {
            return false;
        }
        if ((m_state[1] & kNeedsIdle) == 0) {
            return true;
        }
        if (limit.Passed()) {
            m_timeOutText = kIdleTimeOutText;
            return false;
        }
        if (!WriteControl(kIdleControl0, kIdleControl1)) {
            return false;
        }
    }
}

void CClearRunDlg::OnClear() {
    UpdateData(true);
    BeginSequence();
    CHardwarePort::SetSuspend(1);
    if (IdleHandshake() && ClearMemories()) {
        BackToIdle();
    }
    Finish(true);
}

// Drops the clear bits again, so the next clear can be armed.
bool CClearRunDlg::BackToIdle() {
    return WriteControl(kIdleControl0, kIdleControl1) && ReadState() && ReadStatus();
}

bool CClearRunDlg::ClearMemories() {
    TimeLimit limit(kConfirmLimitMs);
    const auto control0 =
        static_cast<std::uint8_t>(If(ClearQv2, kClearQv2) | If(ClearQv1, kClearQv1));
    if (!WriteControl(control0, If(ClearAa, kClearAa)) || !ReadState()) {
        return false;
    }
    for (;;) {
        if (!ReadStatus() || Locked()) {
            return false;
        }
        if (!ClearsPending()) {
            return true;
        }
        if (limit.Passed()) {
            m_timeOutText = kClearTimeOutText;
            return false;
        }
        if (!ReadState()) {
            return false;
        }
    }
}

bool CClearRunDlg::ClearsPending() const {
    return (ClearQv2 != 0 && (m_state[0] & kQv2ClearDone) != kQv2ClearDone) ||
           (ClearQv1 != 0 && (m_state[0] & kQv1ClearDone) != kQv1ClearDone) ||
           (ClearAa != 0 && (m_state[1] & kAaClearDone) == 0);
}

// The memories first, then the analyser; a memory without "enable_Go" gets
// its count bit but no go bit and is not waited for.
void CClearRunDlg::OnStartStop() {
    UpdateData(true);
    BeginSequence();
    if (StartStopMemories()) {
        StartStopAnalyser();
    }
    Finish(true);
}

bool CClearRunDlg::StartStopMemories() {
    const auto control0 =
        static_cast<std::uint8_t>(If(Qv2Count, kCountQv2) | If(EnableGoQv2, kGoQv2) |
                                  If(Qv1Count, kCountQv1) | If(EnableGoQv1, kGoQv1));
    if (!WriteControl(control0, 0)) {
        return false;
    }
    return WaitForState(kMemoriesLimitMs, &CClearRunDlg::MemoriesPending, kCanNotStartQvText, true);
}

// Polls state and status until nothing is pending; after limitMs the message
// is shown and the sequence goes on (or not) as afterTimeOut says.
bool CClearRunDlg::WaitForState(std::uint32_t limitMs, bool (CClearRunDlg::*pending)() const,
                                const char* timeOutText, bool afterTimeOut) {
    TimeLimit limit(limitMs);
    if (!ReadState()) {
        return false;
    }
    for (;;) {
        if (!ReadStatus() || LockedWithoutULock()) {
            return false;
        }
        if (limit.Passed()) {
            GetUi().MessageFor(*this, timeOutText);
            return afterTimeOut;
        }
        if (!(this->*pending)()) {
            return true;
        }
        if (!ReadState()) {
            return false;
        }
    }
}

bool CClearRunDlg::MemoriesPending() const {
    return (EnableGoQv2 != 0 && Differs(m_state[0], kQv2Counting, Qv2Count)) ||
           (EnableGoQv1 != 0 && Differs(m_state[0], kQv1Counting, Qv1Count));
}

bool CClearRunDlg::StartStopAnalyser() {
    const auto control1 = static_cast<std::uint8_t>(If(EnableGoAa, kGoAa) | If(AaCount, kCountAa));
    if (!WriteControl(0, control1)) {
        return false;
    }
    return WaitForState(kAnalyserLimitMs, &CClearRunDlg::AnalyserPending, kCanNotStartAaText,
                        false);
}

bool CClearRunDlg::AnalyserPending() const {
    return EnableGoAa != 0 && Differs(m_state[1], kAaCounting, AaCount);
}

// A failed transfer leaves the count boxes as they were: the state read may
// not have happened.
void CClearRunDlg::Finish(bool suspendEnds) {
    if (m_nLastError != 0) {
        m_strStatus = TimeOutText(m_nLastError);
    } else if (!m_timeOutText.empty()) {
        m_strStatus = m_timeOutText;
    } else if (Locked()) {
        m_strStatus = kLockedStatusText;
    }
    if (m_nLastError == 0) {
        ULock = (m_status & kStatusULock) != 0 ? 1 : 0;
        Qv2Count = (m_state[0] & kQv2Counting) != 0 ? 1 : 0;
        Qv1Count = (m_state[0] & kQv1Counting) != 0 ? 1 : 0;
        AaCount = (m_state[1] & kAaCounting) != 0 ? 1 : 0;
    }
    ClearRequests();
    if (suspendEnds) {
        CHardwarePort::SetSuspend(0);
    }
    UpdateData(false);
}

void CClearRunDlg::ClearRequests() {
    ClearQv2 = ClearQv1 = ClearAa = 0;
    EnableGoQv2 = EnableGoQv1 = EnableGoAa = 0;
}

void CClearRunDlg::OnDisable() {
    ClearRequests();
    UpdateData(false);
}

}  // namespace qv

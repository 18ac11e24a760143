#include "view/SliderAdjustDlg.h"

#include <cstdio>

#include "framework/DataExchange.h"
#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"
#include "hardware/TimeLimit.h"
#include "view/SliderAdjustTemplate.h"

namespace qv {

namespace {

// The clear's waits for the card get the bound of the clear panel's waits.
constexpr std::uint32_t kClearWaitLimitMs = 11000;
constexpr char kClearTimeOutText[] = "TimOut:clear";

constexpr std::uint8_t kStatusLockedBit = 0x80;
// State byte 1.
constexpr std::uint8_t kNeedsIdleAgain = 0x01;
constexpr std::uint8_t kAaCleared = 0x02;
// Control byte 1: the idle pattern, and the clear of Aa (bits 1 and 0 together).
constexpr std::uint8_t kIdlePattern = 0x02;
constexpr std::uint8_t kClearAaPattern = 0x03;

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The clear sequence's transfers with "TimOut:%d" for the first that fails.
class ClearTransfers {
public:
    explicit ClearTransfers(std::string& status) : m_status(status) {}
    bool Control(std::uint8_t byte1) {
        const std::uint8_t pair[] = {0x00, byte1};
        return Check(m_port.WriteCommand(kCmdWriteRunControl, pair, kRunControlLength));
    }
    bool State() { return Check(m_port.ReadCommand(kCmdReadRunState, m_state, kRunStateLength)); }
    // False when the read failed or the card is locked ("Locked").
    bool Unlocked() {
        std::uint8_t status = 0;
        if (!Check(m_port.ReadCommand(kCmdReadStatus, &status, kStatusLength))) {
            return false;
        }
        if ((status & kStatusLockedBit) != 0) {
            m_status = "Locked";
            return false;
        }
        return true;
    }
    std::uint8_t StateByte1() const { return m_state[1]; }

private:
    bool Check(int error) {
        if (error != 0) {
            m_status = "TimOut:" + std::to_string(error);
        }
        return error == 0;
    }
    CHardwarePort m_port;
    std::string& m_status;
    std::uint8_t m_state[kRunStateLength] = {};
};

}  // namespace

CSliderAdjustDlg::CSliderAdjustDlg(Ui& ui) : CDialog(SliderAdjustTemplate(), ui) {
    OnButton(IDC_SLIDER_SINGLE_UPDATE, [this] { OnSingleUpdate(); });
    OnButton(IDC_SLIDER_TICK_UPDATE, [this] { OnTickUpdate(); });
}

bool CSliderAdjustDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendSpinMessage(IDC_SLIDER_SPIN, UDM_SETRANGE, 0, (1L << 16) | 64);
    m_bClearPending = 0;
    m_nTicksLeft = 1;
    return true;
}

void CSliderAdjustDlg::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, IDC_SLIDER_INTEGRAL1, m_dwIntegral1);
    DDX_Text(dx, IDC_SLIDER_INTEGRAL2, m_dwIntegral2);
    DDX_Text(dx, IDC_SLIDER_LEFT1, m_nLeft1);
    DDX_Text(dx, IDC_SLIDER_LEFT2, m_nLeft2);
    DDX_Text(dx, IDC_SLIDER_MAX1, m_dwMax1);
    DDX_Text(dx, IDC_SLIDER_MAX2, m_dwMax2);
    DDX_Text(dx, IDC_SLIDER_RIGHT1, m_nRight1);
    DDX_Text(dx, IDC_SLIDER_RIGHT2, m_nRight2);
    DDX_Text(dx, IDC_SLIDER_SCOPE1, m_nScope1);
    DDX_Text(dx, IDC_SLIDER_SCOPE2, m_nScope2);
    DDX_Text(dx, IDC_SLIDER_TICKS_DESIRED, m_nTicksDesired);
    DDV_MinMaxInt(dx, m_nTicksDesired, 1, 64);
    DDX_Text(dx, IDC_SLIDER_TICKS_LEFT, m_nTicksLeft);
    DDX_Text(dx, IDC_SLIDER_STDDEV1, m_strStdDev1);
    DDX_Text(dx, IDC_SLIDER_STDDEV2, m_strStdDev2);
    DDX_Text(dx, IDC_SLIDER_MEAN1, m_strMean1);
    DDX_Text(dx, IDC_SLIDER_MEAN2, m_strMean2);
    DDX_Text(dx, IDC_SLIDER_CUTOFF, m_nNoiseCutoff);
    DDV_MinMaxUInt(dx, m_nNoiseCutoff, 0, 1023);
    DDX_Text(dx, IDC_SLIDER_STATUS, m_strStatus);
}

// A refused entry (desired ticks 0 or 65, cutoff 1024) arms nothing: the
// operator corrects it first.
void CSliderAdjustDlg::OnSingleUpdate() {
    if (UpdateData(true)) {
        m_nTicksLeft = 1;
    }
}

void CSliderAdjustDlg::OnTickUpdate() {
    if (UpdateData(true)) {
        m_bClearPending = 1;
        m_nTicksLeft = m_nTicksDesired;
    }
}

void CSliderAdjustDlg::TickUpdate(AaSpectra aa) {
    if (m_bOpen == 0) {
        return;
    }
    if (m_bClearPending != 0) {
        ClearAa();
        m_bClearPending = 0;
        return;
    }
    if (m_nTicksLeft <= 0) {
        return;
    }
    --m_nTicksLeft;
    const std::int32_t end = MeasureInto(
        aa, 0, {m_nLeft1, m_nRight1, m_nScope1, m_dwIntegral1, m_dwMax1, m_strMean1, m_strStdDev1});
    MeasureInto(
        aa, end + 1,
        {m_nLeft2, m_nRight2, m_nScope2, m_dwIntegral2, m_dwMax2, m_strMean2, m_strStdDev2});
    UpdateData(false);
}

std::int32_t CSliderAdjustDlg::MeasureInto(AaSpectra aa, std::int32_t start, PeakMembers m) {
    const PeakSearch search = MeasurePeak(aa, start, m_nNoiseCutoff);
    if (search.leftFound) {
        m.left = search.peak.left;
    }
    if (search.complete) {
        const PeakResult& p = search.peak;
        m.right = p.right;
        m.scope = p.scope;
        m.integral = p.integral;
        m.max = p.max;
        m.mean = p.mean ? Format("%7.2f", *p.mean) : kUndefinedText;
        m.stdDev = p.stdDev ? Format("%8.3f", *p.stdDev) : kUndefinedText;
    }
    return search.next;
}

void CSliderAdjustDlg::ClearAa() {
    m_strStatus.clear();
    CHardwarePort::SetSuspend(1);
    ClearSteps();
    CHardwarePort::SetSuspend(0);
    UpdateData(false);
}

bool CSliderAdjustDlg::ClearSteps() {
    ClearTransfers card(m_strStatus);
    if (!card.Control(kIdlePattern)) {
        return false;
    }
    // The card asks for the idle pattern until it has taken it.
    TimeLimit idle(kClearWaitLimitMs);
    for (;;) {
        if (!card.State() || !card.Unlocked()) {
            return false;
        }
        if ((card.StateByte1() & kNeedsIdleAgain) == 0) {
            break;
        }
        if (idle.Passed()) {
            m_strStatus = kClearTimeOutText;
            return false;
        }
        if (!card.Control(kIdlePattern)) {
            return false;
        }
    }
    if (!card.Control(kClearAaPattern) || !card.State()) {
        return false;
    }
    TimeLimit cleared(kClearWaitLimitMs);
    for (;;) {
        if (!card.Unlocked()) {
            return false;
        }
        if ((card.StateByte1() & kAaCleared) != 0) {
            break;
        }
        if (cleared.Passed()) {
            m_strStatus = kClearTimeOutText;
            return false;
        }
        if (!card.State()) {
            return false;
        }
    }
    return card.Control(kIdlePattern) && card.State() && card.Unlocked();
}

}  // namespace qv

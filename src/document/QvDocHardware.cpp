// The document's hardware operations: the capture of the whole hardware state
// into the measurement, and the autosave variant that stops counting around it.
#include <array>
#include <cstdio>

#include "document/HardwareOperations.h"
#include "document/QvDoc.h"
#include "document/SpectrumReadout.h"
#include "framework/MessageHold.h"
#include "hardware/CommandCodes.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/RunControlBits.h"
#include "hardware/TimeLimit.h"

namespace qv {

namespace {

struct BlockStep {
    CapturedBlock block;
    int error;
};

// The order of the capture, counters first.
constexpr BlockStep kBlockSteps[] = {
    {CapturedBlock::CountersTimers, kCaptureCountersFailed},
    {CapturedBlock::Analogue, kCaptureAnalogueFailed},
    {CapturedBlock::HighVoltage, kCaptureHighVoltageFailed},
    {CapturedBlock::Vibrator, kCaptureVibratorFailed},
};

// The stop write: the go bits of Qv2, Qv1 and Aa with every count and clear bit 0.
constexpr std::uint8_t kStopControl0 = kGoQv2 | kGoQv1;
constexpr std::uint8_t kStopControl1 = kGoAa;

bool StillCounting(const std::array<std::uint8_t, kRunStateLength>& state) {
    return (state[0] & (kQv2Counting | kQv1Counting)) != 0 || (state[1] & kAaCounting) != 0;
}

}  // namespace

std::string FormatHardwareError(int number) {
    char text[64];
    std::snprintf(text, sizeof text, kHardwareErrorFormat, number);
    return text;
}

void CQvDoc::ReportHardwareError(int number) {
    GetUi().Message(FormatHardwareError(number), kHardwareErrorCaption, MsgButtons::Ok,
                    MsgIcon::Exclamation);
}

int CQvDoc::CaptureHardwareState() {
    return Logged(&CQvDoc::CaptureState);
}

int CQvDoc::SuspendedCapture() {
    return Logged(&CQvDoc::SuspendedCaptureSteps);
}

int CQvDoc::Logged(int (CQvDoc::*capture)()) {
    m_readings = {};
    const int result = (this->*capture)();
    const std::string warning = m_runLog.Record(GetPathName(), m_readings, result);
    if (!warning.empty()) {
        GetUi().Message(warning, kRunLogCaption, MsgButtons::Ok, MsgIcon::Exclamation);
    }
    if (m_captureObserver) {
        m_captureObserver(result);
    }
    return result;
}

int CQvDoc::CaptureState() {
    SetModifiedFlag(true);
    m_data.Stamp = {m_description.HardwareVersion1, m_description.HardwareVersion2,
                    m_description.HardwareVersion3};
    for (const BlockStep& step : kBlockSteps) {
        // Without the editor layer no block can be read.
        if (m_editors == nullptr || m_editors->CaptureToBuffer(step.block, *this) != 0) {
            ReportHardwareError(step.error);
            return step.error;
        }
    }
    if (HardwareGlobals::Instance().suspend != 0) {
        return kCaptureSuspended;
    }
    if (const int error = m_readout->Read(*m_port)) {
        return error;
    }
    m_readout->MoveInto(m_data);
    UpdateStatistics();
    return 0;
}

// Every message of the suspended capture waits until counting runs again: a
// box that nobody closes overnight must not hold the card stopped.
int CQvDoc::SuspendedCaptureSteps() {
    MessageHold hold(*this);
    std::array<std::uint8_t, kRunStateLength> saved{};
    if (m_port->ReadCommand(kCmdReadRunState, saved.data(), kRunStateLength) != 0) {
        ReportHardwareError(kSuspendStateReadFailed);
        hold.ShowHeld();
        return kSuspendStateReadFailed;
    }
    std::uint8_t status = 0;
    if (m_port->ReadCommand(kCmdReadStatus, &status, kStatusLength) != 0) {
        ReportHardwareError(kSuspendStatusReadFailed);
        hold.ShowHeld();
        return kSuspendStatusReadFailed;
    }
    int result = 0;
    // A card under the key without ULock ignores run control: nothing to stop.
    const bool lockedWithoutULock = (status & kStatusLocked) != 0 && (status & kStatusULock) == 0;
    if (!lockedWithoutULock) {
        result = StopCounting();
    }
    if (result == 0 && CaptureState() != 0) {
        result = kSuspendCaptureFailed;
    }
    // Whatever failed after the stop write, the card counts again as before:
    // a failed restart says so last, as the most urgent news.
    if (const int error = RestartCounting(saved)) {
        result = error;
    }
    hold.ShowHeld();
    return result;
}

int CQvDoc::StopCounting() {
    const std::uint8_t stop[] = {kStopControl0, kStopControl1};
    if (m_port->WriteCommand(kCmdWriteRunControl, stop, kRunControlLength) != 0) {
        ReportHardwareError(kSuspendStopWriteFailed);
        return kSuspendStopWriteFailed;
    }
    TimeLimit limit(kStopLimitMs);
    for (;;) {
        std::array<std::uint8_t, kRunStateLength> state{};
        if (m_port->ReadCommand(kCmdReadRunState, state.data(), kRunStateLength) != 0) {
            ReportHardwareError(kSuspendStopWaitFailed);
            return kSuspendStopWaitFailed;
        }
        // Not an error: the capture goes ahead with counting perhaps still on.
        if (limit.Passed()) {
            GetUi().Message(kStopTimeOutText, kAutoSaveCaption, MsgButtons::Ok);
            return 0;
        }
        if (!StillCounting(state)) {
            return 0;
        }
    }
}

// Saved state bits 5 and 1 go back into the Qv2 and Qv1 count bits, bit 2 of
// byte 1 into the Aa count bit, each with its go bit.
int CQvDoc::RestartCounting(const std::array<std::uint8_t, 2>& saved) {
    const std::uint8_t restart[] = {
        static_cast<std::uint8_t>((saved[0] & (kCountQv2 | kCountQv1)) | kGoQv2 | kGoQv1),
        static_cast<std::uint8_t>((saved[1] & kCountAa) | kGoAa)};
    if (m_port->WriteCommand(kCmdWriteRunControl, restart, kRunControlLength) != 0) {
        ReportHardwareError(kSuspendRestartFailed);
        return kSuspendRestartFailed;
    }
    return 0;
}

}  // namespace qv

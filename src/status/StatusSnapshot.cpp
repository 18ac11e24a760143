#include "status/StatusSnapshot.h"

#include <numeric>

#include "document/QvDoc.h"
#include "editors/HighVoltageVolts.h"
#include "editors/VibratorReadouts.h"
#include "framework/TextEncoding.h"
#include "view/QvView.h"

namespace qv {

namespace {

template <typename Counts>
std::uint64_t Total(const Counts& counts) {
    return std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
}

// The velocity of the amplitude the vibrator was read at, with the
// coefficients the capture stored.
std::optional<float> CurrentVelocity(const VibratorBlock& block,
                                     const std::optional<std::int32_t>& amplitude) {
    if (!amplitude) {
        return std::nullopt;
    }
    const VelocityCoefficients stored{block.VelocityCoefHigh, block.VelocityCoefLow};
    return PeakVelocity(VelocityCoefficient(stored, block.HighRange != 0), *amplitude);
}

}  // namespace

StatusSnapshot SnapshotOfDocument(CQvDoc& document, int captureResult,
                                  std::chrono::system_clock::time_point when) {
    StatusSnapshot s;
    s.capture = StampedRecord(when);
    s.capture.readings = document.Readings();
    s.capture.result = captureResult;
    s.path = document.GetPathName();
    s.data = document.Data();
    s.remark = Cp1252ToUtf8(s.data.Remark);
    s.statistics = document.Statistics();
    s.qv2Total = Total(s.data.Qv2);
    s.qv1Total = Total(s.data.Qv1);
    s.aaTotal = Total(s.data.Aa);
    const SettingsImage& settings = s.data.Settings;
    s.hvDesiredVolts = static_cast<double>(HighVoltageVolts(settings.HighVoltage));
    s.amplitudeDesired = settings.Vibrator.AmplitudeDesired;
    s.velocityDesired = BlockVelocity(settings.Vibrator);
    s.velocityCurrent = CurrentVelocity(settings.Vibrator, s.capture.readings.amplitudeCurrent);
    return s;
}

void AddViewState(StatusSnapshot& snapshot, CQvView& view) {
    const CDataParamsDlg& panel = view.DataParams();
    snapshot.shown = ShownCurvesOf(panel);
    snapshot.measure = panel.m_bMeasure != 0;
    snapshot.leftCursor = panel.m_nLeftCursor;
    snapshot.rightCursor = panel.m_nRightCursor;
    snapshot.autoRefresh = view.IsAutoRefreshOn();
    snapshot.autoSave = view.IsAutoSaveOn();
}

const char* CountingStateName(CountingState state) {
    switch (state) {
        case CountingState::Counting:
            return "counting";
        case CountingState::Stopped:
            return "stopped";
        case CountingState::Unknown:
            break;
    }
    return "unknown";
}

}  // namespace qv

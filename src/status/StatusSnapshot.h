#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "analysis/Calibration.h"
#include "document/Measurement.h"
#include "document/RunLogRecord.h"
#include "view/SpectrumPoints.h"

namespace qv {

class CQvDoc;
class CQvView;

// Whether a memory counted between the last two captures: its counts, cycles
// or live time moved. Unknown until two captures have been seen.
enum class CountingState { Unknown, Counting, Stopped };

// How the last autosave ended, for the status page.
struct AutoSaveRecord {
    std::int64_t time = 0;  // seconds since 1970-01-01 UTC
    std::int32_t utcOffset = 0;
    std::string path;
    int captureResult = 0;
    bool saved = false;
};

// Everything the status page shows, copied from the document (and the view)
// on the acquisition thread right after a capture, so that the page's
// threads never touch the document, the view or the card.
struct StatusSnapshot {
    std::uint64_t sequence = 0;  // the board numbers the snapshots it is given
    std::string program;         // "qv" or "qvtool job"
    RunLogRecord capture;        // when, what the card showed, the capture's result
    std::string path;            // the document's file; empty before the first save
    std::string remark;          // UTF-8
    Measurement data;
    SpectrumStatistics statistics;
    std::uint64_t qv2Total = 0, qv1Total = 0, aaTotal = 0;
    CountingState qv2 = CountingState::Unknown, qv1 = CountingState::Unknown,
                  aa = CountingState::Unknown;
    double hvDesiredVolts = 0;
    std::int32_t amplitudeDesired = 0;
    float velocityDesired = 0;             // mm/s
    std::optional<float> velocityCurrent;  // mm/s, when the vibrator was read
    // How the desktop shows the channel view; a job shows everything.
    ShownCurves shown;
    bool measure = true;
    std::int32_t leftCursor = 1000, rightCursor = 3000;
    bool autoRefresh = false, autoSave = false;
    std::optional<AutoSaveRecord> lastAutoSave;  // kept by the board
    // The program's velocity calibration, when it has one.
    std::optional<analysis::Calibration> calibration;
};

// The document's figures after a capture that returned captureResult.
StatusSnapshot SnapshotOfDocument(CQvDoc& document, int captureResult,
                                  std::chrono::system_clock::time_point when);
// Adds what the desktop's view shows and which of its toggles are on.
void AddViewState(StatusSnapshot& snapshot, CQvView& view);

const char* CountingStateName(CountingState state);

}  // namespace qv

#include "status/StatusService.h"

#include "document/QvDoc.h"
#include "view/QvView.h"

namespace qv {

void StatusService::Watch(CQvView& view, CQvDoc& document) {
    CaptureWatch watch;
    watch.captured = [this, &view, &document](int result) {
        StatusSnapshot snapshot =
            SnapshotOfDocument(document, result, std::chrono::system_clock::now());
        snapshot.program = m_program;
        AddViewState(snapshot, view);
        m_board.Publish(std::move(snapshot));
    };
    watch.autoSaved = [this](const AutoSaveOutcome& outcome) {
        const RunLogRecord when = StampedRecord(std::chrono::system_clock::now());
        m_board.RecordAutoSave(
            {when.time, when.utcOffset, outcome.path, outcome.captureResult, outcome.saved});
    };
    view.SetCaptureWatch(std::move(watch));
}

void StatusService::Captured(CQvDoc& document, int result) {
    StatusSnapshot snapshot =
        SnapshotOfDocument(document, result, std::chrono::system_clock::now());
    snapshot.program = m_program;
    m_board.Publish(std::move(snapshot));
}

}  // namespace qv

#include "status/StatusService.h"

#include "document/QvDoc.h"
#include "status/VelocityPicture.h"
#include "view/QvView.h"

namespace qv {

void StatusService::Watch(CQvView& view, CQvDoc& document) {
    CaptureWatch watch;
    watch.captured = [this, &view, &document](int result) {
        StatusSnapshot snapshot =
            SnapshotOfDocument(document, result, std::chrono::system_clock::now());
        AddViewState(snapshot, view);
        Publish(std::move(snapshot));
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
    Publish(std::move(snapshot));
}

void StatusService::UseCalibration(std::function<const analysis::Calibration*()> calibration) {
    m_calibration = std::move(calibration);
    m_server.Pictures().SetVelocityProvider(VelocityPictureProvider());
}

void StatusService::Publish(StatusSnapshot snapshot) {
    snapshot.program = m_program;
    if (m_calibration) {
        if (const analysis::Calibration* calibration = m_calibration()) {
            snapshot.calibration = *calibration;
        }
    }
    m_board.Publish(std::move(snapshot));
}

}  // namespace qv

// rates and backup: the count-rate window's read and the autosave's question.
#include "editors/CountersTimersDlg.h"
#include "jobs/JobOperations.h"
#include "jobs/JobUi.h"
#include "view/PulseRateDlg.h"

namespace qv::jobs {

OpResult RunRates(JobContext& context, const Args&) {
    const std::size_t boxesBefore = context.ui.Boxes().size();
    CPulseRateDlg window(context.ui);
    window.UpdateRates(0);
    if (context.ui.Boxes().size() != boxesBefore) {
        return Failure(context.ui.Boxes().back().text);
    }
    OpResult result;
    result.data["Qv1"] = window.m_nRateQv1;
    result.data["Qv2"] = window.m_nRateQv2;
    return result;
}

// 1 while the countdown runs; 0 when it had run out, which restarts it, as
// the autosave does before it saves.
OpResult RunBackup(JobContext& context, const Args&) {
    CCountersTimersDlg counters(context.ui);
    const int due = counters.BackupDue();
    OpResult result;
    if (due < 0) {
        result =
            Failure("hardware error " + std::to_string(counters.LastError()), counters.LastError());
    }
    result.data["due"] = due;
    return result;
}

}  // namespace qv::jobs

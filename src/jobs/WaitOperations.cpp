// wait SECONDS and wait backup.
#include <algorithm>
#include <cmath>

#include "editors/CountersTimersDlg.h"
#include "jobs/JobClock.h"
#include "jobs/JobNumber.h"
#include "jobs/JobOperations.h"
#include "jobs/JobUi.h"

namespace qv::jobs {

namespace {

// The view's timer period: the desktop's autosave asks this often.
constexpr std::uint64_t kBackupPollMs = 1500;
// The longest countdown the card takes, and a minute for the card to notice.
constexpr double kBackupLimitSeconds = 65535 + 60;
constexpr std::uint64_t kWaitProgressMs = 1000;

std::optional<double> Seconds(const std::string& text) {
    return JobNumber(text, true, kMaxWaitSeconds);
}

// How often the card is asked, on the machine's clock: as the view's timer,
// or, when waits are skipped, every 1.5 s of the card's own clock.
std::uint64_t BackupPollMs(const JobContext& context) {
    if (!context.clock.SkipsWaits()) {
        return kBackupPollMs;
    }
    return std::max<std::uint64_t>(1, (kBackupPollMs + context.speed / 2) / context.speed);
}

// Until the card's countdown has run out, asked as the autosave asks.
OpResult WaitForBackup(JobContext& context) {
    const std::uint64_t pollMs = BackupPollMs(context);
    const double cardSecondsPerPoll = static_cast<double>(pollMs) / 1000.0 * context.speed;
    for (double waited = 0; waited <= kBackupLimitSeconds; waited += cardSecondsPerPoll) {
        CCountersTimersDlg counters(context.ui);
        const int due = counters.BackupDue();
        if (due < 0) {
            return Failure("hardware error " + std::to_string(counters.LastError()),
                           counters.LastError());
        }
        if (due == 0) {
            OpResult result;
            result.data["due"] = 0;
            return result;
        }
        if (!context.clock.Pause(pollMs, context.stopRequested)) {
            return {};
        }
    }
    return Failure("the card's backup countdown did not run out in " +
                   std::to_string(static_cast<int>(kBackupLimitSeconds)) + " seconds");
}

}  // namespace

std::string CheckWait(const Args& args) {
    if (args.size() == 1 && (args[0] == "backup" || Seconds(args[0]))) {
        return {};
    }
    return "takes SECONDS (0 to 1000000000) or backup";
}

OpResult RunWait(JobContext& context, const Args& args) {
    if (args[0] == "backup") {
        return WaitForBackup(context);
    }
    const double hostMs = *Seconds(args[0]) * 1000.0 / context.speed;
    auto left = static_cast<std::uint64_t>(std::llround(hostMs));
    if (context.clock.SkipsWaits()) {
        context.clock.Pause(left, context.stopRequested);
        return {};
    }
    // A second at a time, so a progress display can count down.
    while (left > 0) {
        context.waiting(static_cast<double>(left) / 1000.0 * context.speed);
        const std::uint64_t piece = std::min<std::uint64_t>(left, kWaitProgressMs);
        if (!context.clock.Pause(piece, context.stopRequested)) {
            break;
        }
        left -= piece;
    }
    return {};
}

}  // namespace qv::jobs

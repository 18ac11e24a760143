#include "jobs/JobProgressTexts.h"

#include <algorithm>
#include <cmath>

namespace qv::jobs {

JobProgressTexts ProgressTexts(const JobProgress& progress, double totalWaitSeconds,
                               double elapsedSeconds) {
    JobProgressTexts texts;
    texts.line = "Line " + std::to_string(progress.number) + ": " + progress.line;
    for (const auto& loop : progress.loops) {
        texts.loops += (texts.loops.empty() ? "Loop " : ", ") + std::to_string(loop.counter) +
                       " of " + std::to_string(loop.count);
    }
    texts.elapsed = "Elapsed " + DurationText(elapsedSeconds);
    if (progress.waitLeft > 0) {
        texts.waiting = "Wait: " + DurationText(progress.waitLeft) + " left";
    }
    const double gone = totalWaitSeconds - progress.jobWaitLeft;
    texts.permille =
        totalWaitSeconds > 0
            ? static_cast<int>(std::clamp(std::floor(1000 * gone / totalWaitSeconds), 0.0, 1000.0))
            : 1000;
    return texts;
}

}  // namespace qv::jobs

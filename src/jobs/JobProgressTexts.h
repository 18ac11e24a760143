#pragma once

#include <string>

#include "jobs/JobProgress.h"

namespace qv::jobs {

// What a progress window shows of a running job, one text a label.
struct JobProgressTexts {
    std::string line;     // "Line 14: wait 90"
    std::string loops;    // "Loop 3 of 9, 1 of 2"; empty outside loops
    std::string elapsed;  // "Elapsed 1:02:03"
    std::string waiting;  // "Wait: 1:12 left"; empty unless a wait runs
    // Per mille of the job's waiting time gone; 1000 for a job without waits
    // once it runs.
    int permille = 0;
};

JobProgressTexts ProgressTexts(const JobProgress& progress, double totalWaitSeconds,
                               double elapsedSeconds);

}  // namespace qv::jobs

#pragma once

#include <functional>
#include <string>
#include <vector>

#include "jobs/JobScript.h"

namespace qv::jobs {

// Where a running job is, for a display of its progress.
struct JobProgress {
    struct Loop {
        long long counter = 0;
        long long count = 0;
    };
    int number = 0;           // the line running
    std::string line;         // as it runs, {n} replaced
    std::vector<Loop> loops;  // the loops it runs in, outermost first
    double waitLeft = 0;      // seconds of the running wait still to go
    double jobWaitLeft =
        0;  // seconds of waiting still to go in the whole job, this wait's included
};

using JobProgressSink = std::function<void(const JobProgress&)>;

// The seconds of every `wait SECONDS` the job will run, loops multiplied out;
// `wait backup` counts nothing (it ends when the card says).
double TotalWaitSeconds(const JobScript& script);

// "2:05:07" or "5:07".
std::string DurationText(double seconds);

}  // namespace qv::jobs

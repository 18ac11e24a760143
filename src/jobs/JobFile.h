#pragma once

#include <string>
#include <vector>

namespace qv::jobs {

// A job file's lines, or why it cannot be read ("cannot read the job file
// PATH: why"); every front end says the same.
struct JobFileReading {
    std::vector<std::string> lines;
    std::string error;
};

JobFileReading ReadJobFile(const std::string& path);

// One log for the whole run when no other is named: JOBNAME.log.csv beside
// the job file.
std::string JobRunLogPath(const std::string& path);

// The job's name as a progress display shows it: the file's name without
// its folder and its ".job".
std::string JobName(const std::string& path);

}  // namespace qv::jobs

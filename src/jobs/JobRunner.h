#pragma once

#include <ostream>
#include <string>

#include "jobs/JobOperations.h"
#include "jobs/JobProgress.h"
#include "jobs/JobScript.h"

namespace qv::jobs {

// Exit status of a job.
inline constexpr int kJobDone = 0;
inline constexpr int kJobFailed = 1;     // an operation failed; the job stopped there
inline constexpr int kJobNotRun = 2;     // the job file or the options were refused
inline constexpr int kJobStopped = 130;  // Ctrl+C or SIGTERM ended it between operations

// Runs a parsed job line by line: loops repeat their lines with {n} replaced,
// every operation reports on out (as text, or one JSON object a line), the
// first failure stops the job after saying on err which line failed and why.
class JobRunner {
public:
    // prefix begins every message on err: the front end's name, as in "qvtool: ",
    // or nothing where the messages go to a box of their own.
    JobRunner(JobContext& context, std::ostream& out, std::ostream& err, bool json,
              std::string prefix)
        : m_context(context), m_out(out), m_err(err), m_json(json), m_prefix(std::move(prefix)) {}
    // Told before every operation and, while a wait takes real time, every second.
    void SetProgress(JobProgressSink sink) { m_sink = std::move(sink); }

    int Run(const JobScript& script);

private:
    // Lines [begin, end) with the loop counter; false when the job must stop.
    bool RunLines(const std::vector<JobLine>& lines, std::size_t begin, std::size_t end,
                  long long counter);
    bool RunLoop(const std::vector<JobLine>& lines, std::size_t loop, long long counter);
    bool RunOperation(const JobLine& line, long long counter);
    void Print(const JobLine& line, const std::string& text, const OpResult& result,
               std::size_t firstBox);

    JobContext& m_context;
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_json;
    std::string m_prefix;
    int m_status = kJobDone;
    int m_lastLine = 0;
    JobProgressSink m_sink;
    JobProgress m_progress;
    double m_runningWait = 0;  // seconds of the running `wait SECONDS`
};

}  // namespace qv::jobs

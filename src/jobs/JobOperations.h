#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace qv {
class CQvDoc;
}

namespace qv::jobs {

class JobUi;
class JobClock;

// What one operation ended with.
struct OpResult {
    // 0, or the number the operation ended with: a hardware error number, a
    // capture step, or kFailedWithoutNumber.
    int error = 0;
    // Why it failed, in a few words; empty when it succeeded.
    std::string failure;
    // The operation's own report (block, fields, status, image, Qv1, due ...).
    nlohmann::ordered_json data = nlohmann::ordered_json::object();

    bool Failed() const { return !failure.empty(); }
};

// A refused value, a file that cannot be written: a failure without a number.
inline constexpr int kFailedWithoutNumber = -1;

OpResult Failure(std::string why, int error = kFailedWithoutNumber);

// Everything an operation works with: the document with its editors, the
// desktop stand-in, the card's clock and the stop request of Ctrl+C.
struct JobContext {
    CQvDoc& doc;
    JobUi& ui;
    JobClock& clock;
    // Card seconds per host second: a wait of S seconds lets S / speed pass.
    unsigned speed = 1;
    // Ctrl+C: waits end early, and the job ends after the running operation.
    std::function<bool()> stopRequested = [] { return false; };
    // Told the seconds still to go while a wait takes real time.
    std::function<void(double secondsLeft)> waiting = [](double) {};
};

using Args = std::vector<std::string>;

struct JobOperation {
    const char* name;
    // Before the job runs: an empty text, or why the arguments are wrong.
    std::string (*check)(const Args& args);
    OpResult (*run)(JobContext& context, const Args& args);
};

// The operation called name, or nullptr (loop and end are the runner's own).
const JobOperation* FindJobOperation(const std::string& name);

// The operations, one group per file.
std::string CheckRead(const Args& args);
OpResult RunRead(JobContext& context, const Args& args);
std::string CheckSet(const Args& args);
OpResult RunSet(JobContext& context, const Args& args);

std::string CheckMemories(const Args& args);
OpResult RunClear(JobContext& context, const Args& args);
OpResult RunStart(JobContext& context, const Args& args);
OpResult RunStop(JobContext& context, const Args& args);

std::string CheckReference(const Args& args);
OpResult RunReference(JobContext& context, const Args& args);

std::string CheckCapture(const Args& args);
OpResult RunCapture(JobContext& context, const Args& args);
std::string CheckRemark(const Args& args);
OpResult RunRemark(JobContext& context, const Args& args);
std::string CheckOneFile(const Args& args);
OpResult RunSave(JobContext& context, const Args& args);
OpResult RunExport(JobContext& context, const Args& args);

std::string CheckNoArguments(const Args& args);
OpResult RunRates(JobContext& context, const Args& args);
OpResult RunBackup(JobContext& context, const Args& args);
std::string CheckWait(const Args& args);
OpResult RunWait(JobContext& context, const Args& args);

}  // namespace qv::jobs

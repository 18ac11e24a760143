#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "JobClock.h"
#include "JobCommands.h"
#include "JobRunner.h"
#include "JobUi.h"
#include "StopSignals.h"
#include "app/CardLink.h"
#include "document/QvDoc.h"
#include "editors/DocumentEditors.h"
#include "framework/FileKind.h"
#include "hardware/HardwareGlobals.h"
#include "simulator/BenchOptions.h"
#include "status/StatusService.h"

namespace qv::tool {

namespace {

// The process's card globals go back to their start-up state when the job ends.
class GlobalsReset {
public:
    explicit GlobalsReset(TickClock& clock) {
        HardwareGlobals::Instance().Reset();
        HardwareGlobals::Instance().SetClock(clock);
    }
    ~GlobalsReset() { HardwareGlobals::Instance().Reset(); }
    GlobalsReset(const GlobalsReset&) = delete;
    GlobalsReset& operator=(const GlobalsReset&) = delete;
};

std::optional<std::vector<std::string>> JobLines(Streams io, const JobOptions& options) {
    if (!options.file) {
        return options.lines;
    }
    // Checked before the open, which would already block on a FIFO.
    const std::string why = UnreadableFileReason(*options.file);
    std::ifstream in;
    if (why.empty()) {
        in.open(*options.file, std::ios::binary);
    }
    if (!in.is_open()) {
        io.err << "qvtool: cannot read the job file " << *options.file
               << (why.empty() ? "" : ": " + why) << '\n';
        return std::nullopt;
    }
    return SplitJobText({std::istreambuf_iterator<char>(in), {}});
}

// The options that only the virtual card takes, or an empty text.
std::string BenchWithoutSimulate(const JobOptions& options) {
    if (options.simulate) {
        return {};
    }
    if (options.seed || options.rate || options.simSpeed || options.locked ||
        !options.faults.empty()) {
        return "--seed, --rate, --sim-speed, --sim-locked and --sim-fault need --simulate";
    }
    return {};
}

CardLink::Choice CardChoice(const JobOptions& options) {
    CardLink::Choice choice;
    choice.simulate = options.simulate;
    choice.simulationSpeed = options.simSpeed.value_or(1);
    choice.faults.locked = options.locked;
    for (const std::string& fault : options.faults) {
        sim::AddCardFault(fault, choice.faults);
    }
    choice.sourceRate = options.rate;
    choice.seed = options.seed;
    choice.tracePath = options.trace;
    return choice;
}

// qv.hdw as the desktop reads it, when there is one; built-in values otherwise.
std::optional<std::string> HardwareDescriptionPath(const JobOptions& options) {
    if (options.hdw) {
        return options.hdw;
    }
    const auto path = CQvDoc::DefaultHardwareDescription();
    std::error_code error;
    if (path && std::filesystem::exists(*path, error)) {
        return path;
    }
    return std::nullopt;
}

// The run log's time stamps follow the virtual card's clock, so a day that a
// job skips through in seconds still spreads over a day in the log.
void SetRunLog(CQvDoc& doc, JobClock& clock, const std::optional<std::string>& log) {
    doc.SetRunLogPath(log);
    if (clock.SkipsWaits()) {
        const auto start = std::chrono::system_clock::now();
        doc.GetRunLog().SetClock([&clock, start] {
            return std::chrono::time_point_cast<std::chrono::system_clock::duration>(
                start + std::chrono::milliseconds(clock.GetTickCount()));
        });
    }
}

// The page is an extra: a port in use is said, and the job runs without it.
void StartStatusPage(StatusService& status, const StatusOptions& options, CQvDoc& doc,
                     std::ostream& err) {
    if (!options.port) {
        return;
    }
    std::string message;
    if (status.Start(options, message)) {
        doc.SetCaptureObserver([&status, &doc](int result) { status.Captured(doc, result); });
    }
    err << "qvtool: " << message << '\n';
}

}  // namespace

int JobCommand(Streams io, const JobOptions& options) {
    const auto lines = JobLines(io, options);
    if (!lines) {
        return kJobNotRun;
    }
    if (const std::string why = CheckStatusOptions(options.status); !why.empty()) {
        io.err << "qvtool: " << why << '\n';
        return kJobNotRun;
    }
    if (const std::string why = BenchWithoutSimulate(options); !why.empty()) {
        io.err << "qvtool: " << why << '\n';
        return kJobNotRun;
    }
    const JobScript script = ParseJob(*lines);
    if (!script.error.empty()) {
        io.err << "qvtool: " << script.error << '\n';
        return kJobNotRun;
    }

    JobClock clock(options.simulate && !options.simSpeed);
    GlobalsReset globals(clock);
    JobUi ui(io.err);
    CQvDoc doc(ui, HardwareDescriptionPath(options));
    doc.OnNewDocument();
    DocumentEditors editors;
    doc.SetHardwareEditors(&editors);
    SetRunLog(doc, clock, options.log);

    std::ostringstream warnings;
    CardLink link(CardChoice(options), HardwareGlobals::Instance().portBase, warnings, "qvtool");
    if (link.CardInUse()) {
        io.err << "qvtool: " << link.CardInUseText() << '\n';
        return kJobFailed;
    }
    io.err << warnings.str();
    if (!link.TraceOpen()) {
        return kJobNotRun;
    }

    StatusService status("qvtool job");
    StartStatusPage(status, options.status, doc, io.err);
    StopSignals signals;
    JobContext context{doc, ui, clock, options.simulate ? options.simSpeed.value_or(1) : 1,
                       StopSignals::Requested};
    return JobRunner(context, io.out, io.err, options.json).Run(script);
}

}  // namespace qv::tool

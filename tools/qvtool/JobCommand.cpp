#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "JobCommands.h"
#include "StatusLine.h"
#include "StopSignals.h"
#include "app/CardLink.h"
#include "document/HardwareDescriptionFile.h"
#include "document/QvDoc.h"
#include "editors/DocumentEditors.h"
#include "framework/CharCount.h"
#include "framework/FileKind.h"
#include "hardware/HardwareGlobals.h"
#include "jobs/JobClock.h"
#include "jobs/JobFile.h"
#include "jobs/JobRunner.h"
#include "jobs/JobUi.h"
#include "simulator/BenchOptions.h"
#include "status/StatusService.h"

namespace qv::tool {

using jobs::JobClock;
using jobs::kJobFailed;
using jobs::kJobNotRun;

namespace {

// A longer status line would wrap, and \r would then rewrite only its end.
constexpr std::size_t kStatusLineChars = 79;

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
    jobs::JobFileReading reading = jobs::ReadJobFile(*options.file);
    if (!reading.error.empty()) {
        io.err << "qvtool: " << reading.error << '\n';
        return std::nullopt;
    }
    return std::move(reading.lines);
}

// A job that skips its waits runs the virtual card this many times as fast. A
// start or stop waits for the end of the card's sweep, which at the card's own
// pace would be most of a day run's time; the card's handshake and the
// program's time limits keep the machine's clock, as with --sim-speed.
constexpr std::uint32_t kSkippingCardSpeed = 16;

bool SkipsWaits(const JobOptions& options) {
    return options.simulate && !options.simSpeed;
}

// Card seconds per second of the machine's clock.
std::uint32_t CardSpeed(const JobOptions& options) {
    if (!options.simulate) {
        return 1;
    }
    return options.simSpeed.value_or(kSkippingCardSpeed);
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
    choice.simulationSpeed = CardSpeed(options);
    choice.faults.locked = options.locked;
    for (const std::string& fault : options.faults) {
        sim::AddCardFault(fault, choice.faults);
    }
    choice.sourceRate = options.rate;
    choice.seed = options.seed;
    choice.tracePath = options.trace;
    return choice;
}

// An unattended run on the wrong calibrations or port base is worse than none:
// a description named with --hdw must be read whole.
std::string HardwareDescriptionRefusal(const JobOptions& options) {
    if (!options.hdw) {
        return {};
    }
    const std::string& path = *options.hdw;
    if (const std::string why = UnreadableFileReason(path, kMaxHardwareDescriptionBytes);
        !why.empty()) {
        return "cannot read the hardware description " + path + ": " + why;
    }
    const HardwareDescriptionReading reading = ReadHardwareDescriptionFile(path);
    if (!reading.complete) {
        return "the hardware description " + path + " is not complete (" +
               std::to_string(reading.itemsRead) + " of " +
               std::to_string(kHardwareDescriptionItems) + " items read)";
    }
    return {};
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

// One log for the whole run: --log, else JOBNAME.log.csv beside the job file.
// card has no job file; its first save names the log (see RunSave).
std::optional<std::string> RunLogPath(const JobOptions& options) {
    if (options.log || !options.file) {
        return options.log;
    }
    return jobs::JobRunLogPath(*options.file);
}

// The run log's time stamps follow the virtual card's clock, so a day that a
// job skips through in seconds still spreads over a day in the log.
void SetRunLog(CQvDoc& doc, JobClock& clock, std::uint32_t cardSpeed,
               const std::optional<std::string>& log) {
    doc.SetRunLogPath(log);
    if (clock.SkipsWaits()) {
        const auto start = std::chrono::system_clock::now();
        doc.GetRunLog().SetClock([&clock, cardSpeed, start] {
            const std::chrono::milliseconds cardMs(std::int64_t{clock.GetTickCount()} * cardSpeed);
            return std::chrono::time_point_cast<std::chrono::system_clock::duration>(start +
                                                                                     cardMs);
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

// "line 14: wait 90 | loop 3/9 | 1:12 left | 12:30 of waits to go", within
// one line of a narrow terminal.
std::string ProgressText(const jobs::JobProgress& progress) {
    std::string text = "line " + std::to_string(progress.number) + ": " + progress.line;
    for (const auto& loop : progress.loops) {
        text += " | loop " + std::to_string(loop.counter) + "/" + std::to_string(loop.count);
    }
    if (progress.waitLeft > 0) {
        text += " | " + jobs::DurationText(progress.waitLeft) + " left";
    }
    text += " | " + jobs::DurationText(progress.jobWaitLeft) + " of waits to go";
    return FirstChars(text, kStatusLineChars);
}

}  // namespace

int JobCommand(Streams io, const JobOptions& options) {
    const auto lines = JobLines(io, options);
    if (!lines) {
        return kJobNotRun;
    }
    for (const std::string& why :
         {CheckStatusOptions(options.status), BenchWithoutSimulate(options),
          HardwareDescriptionRefusal(options)}) {
        if (!why.empty()) {
            io.err << "qvtool: " << why << '\n';
            return kJobNotRun;
        }
    }
    const jobs::JobScript script = jobs::ParseJob(*lines);
    if (!script.error.empty()) {
        io.err << "qvtool: " << script.error << '\n';
        return kJobNotRun;
    }

    // On a terminal one status line, rewritten in place, says how far the job
    // has come; the reports and messages are written past it.
    std::optional<StatusLine> status;
    std::optional<BesideStatusLine> out, err;
    if (!options.json && io.err.rdbuf() == std::cerr.rdbuf() && isatty(STDERR_FILENO)) {
        status.emplace(io.err);
        out.emplace(*status, io.out);
        err.emplace(*status, io.err);
    }
    const Streams jobIo = status ? Streams{*out, *err} : io;

    JobClock clock(SkipsWaits(options));
    GlobalsReset globals(clock);
    jobs::JobUi ui(jobIo.err);
    CQvDoc doc(ui, HardwareDescriptionPath(options));
    doc.OnNewDocument();
    DocumentEditors editors;
    doc.SetHardwareEditors(&editors);
    SetRunLog(doc, clock, CardSpeed(options), RunLogPath(options));

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

    StatusService statusPage("qvtool job");
    StartStatusPage(statusPage, options.status, doc, io.err);
    StopSignals signals;
    jobs::JobContext context{doc, ui, clock, CardSpeed(options), StopSignals::Requested};
    jobs::JobRunner runner(context, jobIo.out, jobIo.err, options.json, "qvtool: ");
    if (status) {
        runner.SetProgress(
            [&status](const jobs::JobProgress& progress) { status->Show(ProgressText(progress)); });
    }
    return runner.Run(script);
}

}  // namespace qv::tool

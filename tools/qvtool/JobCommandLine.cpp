#include <memory>

#include "JobCommands.h"
#include "simulator/BenchOptions.h"

namespace qv::tool {

namespace {

void AddRunOptions(CLI::App& command, JobOptions& options) {
    command.add_flag("--json", options.json, "One JSON object per operation and line");
    command.add_option("--hdw", options.hdw,
                       "Hardware description file (default: qv.hdw beside the program)");
    command.add_option("--log", options.log,
                       "Run log of every capture (default: NAME.log.csv beside the saved file)");
    command.add_flag("--simulate", options.simulate, "Run on the virtual spectrometer");
    command.add_option("--seed", options.seed, "Seed of the virtual card's counting noise");
    command.add_option("--rate,--sim-rate", options.rate, "Source pulses per second")
        ->check(CLI::Validator([](std::string& text) { return CheckSourceRate(text); },
                               sim::kSourceRateRange));
    command
        .add_option("--sim-speed", options.simSpeed,
                    "Waits take real time, the virtual card's clock running N times as fast")
        ->check(CLI::PositiveNumber);
    command.add_flag("--sim-locked", options.locked, "The front-panel key is turned");
    command
        .add_option("--sim-fault", options.faults,
                    std::string("The card misbehaves: ") + sim::kCardFaultNames)
        ->check(CLI::Validator([](std::string& text) { return CheckCardFault(text); }, "KIND[=N]"))
        // One fault per --sim-fault: the job lines after it are not faults.
        ->allow_extra_args(false);
    command
        .add_option("--status-port", options.status.port,
                    "Serve a read-only status page of the run on PORT (0: any free port)")
        ->check(CLI::Range(0, 65535));
    command
        .add_option("--status-bind", options.status.bind,
                    "Listen on ADDR instead of 127.0.0.1; needs --status-token")
        ->each([&options](const std::string&) { options.status.bindGiven = true; });
    command.add_option("--status-token", options.status.token,
                       "Every request must carry TOKEN (?token= or Authorization: Bearer)");
}

}  // namespace

void AddJobCommands(CLI::App& app, Streams io, std::function<int()>& run,
                    const std::optional<std::string>& trace) {
    auto shared = std::make_shared<JobOptions>();
    JobOptions& options = *shared;

    auto* job = app.add_subcommand("job", "Run a job file: the card's operations line by line");
    job->add_option("FILE", options.file, "Job file (see docs/jobs.md)")->required();
    AddRunOptions(*job, options);
    auto* card = app.add_subcommand("card", "Run the given job lines, one per argument");
    card->add_option("LINE", options.lines, "Job lines, e.g. \"read hv\" \"set hv HvDesired=600\"")
        ->required();
    AddRunOptions(*card, options);
    for (CLI::App* command : {job, card}) {
        command->callback([shared, &run, io, &trace] {
            run = [shared, io, &trace] {
                shared->trace = trace;
                return JobCommand(io, *shared);
            };
        });
    }
}

}  // namespace qv::tool

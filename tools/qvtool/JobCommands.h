#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "status/StatusOptions.h"

namespace qv::tool {

struct JobOptions {
    std::optional<std::string> file;  // qvtool job FILE
    std::vector<std::string> lines;   // qvtool card LINE...
    bool json = false;
    std::optional<std::string> hdw;  // hardware description; qv.hdw beside the program otherwise
    // The virtual card and its training bench.
    bool simulate = false;
    std::optional<std::uint64_t> seed;
    std::optional<double> rate;
    std::optional<std::uint32_t> simSpeed;  // waits take real time at this speed
    bool locked = false;
    std::vector<std::string> faults;
    std::optional<std::string> trace;
    // The run log of the job's captures; NAME.log.csv beside the saved file otherwise.
    std::optional<std::string> log;
    StatusOptions status;  // the status page of the running job
};

// Runs a job on the card, or on the virtual one; returns the exit status (JobRunner.h).
int JobCommand(Streams io, const JobOptions& options);

// job and card; the chosen one leaves its runner in `run`. trace is the
// global --trace, parsed by the caller.
void AddJobCommands(CLI::App& app, Streams io, std::function<int()>& run,
                    const std::optional<std::string>& trace);

}  // namespace qv::tool

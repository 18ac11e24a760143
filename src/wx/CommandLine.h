#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/CardLink.h"
#include "status/StatusOptions.h"

namespace qv {

// What the program was started with: an optional data file, how to reach
// the card (the virtual one with its training bench, the trace) and where the
// run log goes.
struct CommandLine {
    std::optional<std::string> fileName;
    CardLink::Choice card;
    std::optional<std::string> logPath;  // --log FILE: the run log of every capture
    StatusOptions status;                // --status-port, --status-bind, --status-token
    bool resume = false;                 // --resume: go on with an interrupted autosave run
    bool help = false;                   // --help or -h: print the usage and stop
    bool version = false;                // --version: print the version and stop
    std::string error;                   // non-empty when the arguments were refused
};

// Arguments without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// What qv --help prints.
std::string Usage();

// What qv --version prints.
std::string VersionText();

}  // namespace qv

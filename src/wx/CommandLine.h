#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv {

// What the program was started with: an optional data file and the options
// for the simulated card link.
struct CommandLine {
    std::optional<std::string> fileName;
    bool simulate = false;
    int simSpeed = 1;
    bool help = false;     // --help or -h: print the usage and stop
    bool version = false;  // --version: print the version and stop
    std::string error;     // non-empty when the arguments were refused
};

// Arguments without the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// What qv --help prints.
std::string Usage();

// What qv --version prints.
std::string VersionText();

}  // namespace qv

#pragma once

#include <CLI/CLI.hpp>
#include <functional>

#include "Commands.h"

namespace qv::tool {

// calibrate, fold, convert and diff; the chosen one leaves its runner in `run`.
void AddAnalysisCommands(CLI::App& app, Streams io, std::function<int()>& run);

}  // namespace qv::tool

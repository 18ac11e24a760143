#pragma once

#include <ostream>

namespace qv::tool {

// The whole command line tool; returns the process exit code.
int RunQvTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace qv::tool

#pragma once

#include <string>

namespace qv {

// Directory of the running program file itself (not the current directory).
std::string ExecutableDirectory();

}  // namespace qv

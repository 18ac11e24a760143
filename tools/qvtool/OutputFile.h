#pragma once

#include <ostream>
#include <string>

namespace qv::tool {

// Writes the bytes to the file, replacing it only once all are on disk; says
// why on `err` when it cannot.
bool WriteOutput(const std::string& path, const std::string& bytes, std::ostream& err);

}  // namespace qv::tool

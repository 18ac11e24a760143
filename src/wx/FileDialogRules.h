#pragma once

#include <string>

namespace qv {

// "Name|pattern|...||" as the desktop framework writes filters, in wx's form:
// no closing bars, and "*.*" (any file, also without an extension) as "*".
std::string ToWildcard(const std::string& filter);

// The Windows save dialog added the default extension to a name that had none.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace qv

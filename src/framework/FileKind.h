#pragma once

#include <string>

namespace qv {

// Why a path that is not a regular file (a directory, FIFO, device, socket) is
// neither loaded nor replaced, in the user's words; mode is the st_mode of stat.
std::string NotRegularFileReason(unsigned mode);

// Why path cannot be read as a regular file (missing, a directory, a FIFO that
// would block, a device without end), in the user's words; empty when it can.
std::string UnreadableFileReason(const std::string& path);

}  // namespace qv

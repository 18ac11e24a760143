#pragma once

#include <cstdint>
#include <limits>
#include <string>

namespace qv {

// Why a path that is not a regular file (a directory, FIFO, device, socket) is
// neither loaded nor replaced, in the user's words; mode is the st_mode of stat.
std::string NotRegularFileReason(unsigned mode);

// Why path cannot be read as a regular file (missing, a directory, a FIFO that
// would block, a device without end, larger than maxBytes, which no file of its
// kind can be), in the user's words; empty when it can.
std::string UnreadableFileReason(
    const std::string& path, std::uintmax_t maxBytes = std::numeric_limits<std::uintmax_t>::max());

}  // namespace qv

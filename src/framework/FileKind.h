#pragma once

#include <string>

namespace qv {

// Why a path that is not a regular file (a directory, FIFO, device, socket) is
// neither loaded nor replaced, in the user's words; mode is the st_mode of stat.
std::string NotRegularFileReason(unsigned mode);

}  // namespace qv

#pragma once

#include <string>

#include "status/StatusSnapshot.h"

namespace qv {

// The figures of /status.json (keys: docs/status.md). velocityPicture says
// whether a velocity renderer is hooked in.
std::string StatusJson(const StatusSnapshot& snapshot, bool velocityPicture);
// Before the first capture: the program and that nothing has been captured.
std::string NoCaptureJson(const std::string& program);

// "saved", "capture failed (Err no:N)" or "not saved".
std::string AutoSaveResultText(const AutoSaveRecord& record);

}  // namespace qv

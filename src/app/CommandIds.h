#pragma once

// Every command id the application routes: the framework's and qv's own.
#include "document/CommandIds.h"
#include "framework/FrameworkIds.h"

namespace qv {

inline constexpr int IDD_ABOUTBOX = 100;

}  // namespace qv

#pragma once

#include <ostream>
#include <string>

#include "framework/RgbCanvas.h"

namespace qv::tool {

// Saves the canvas as an RGB PNG; says why on `err` when it cannot.
bool WritePng(const RgbCanvas& canvas, const std::string& path, std::ostream& err);

}  // namespace qv::tool

#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "framework/RgbCanvas.h"

namespace qv {

// Saves the canvas as an RGB PNG; says why on `err` when it cannot.
bool WritePng(const RgbCanvas& canvas, const std::string& path, std::ostream& err);

// The bytes of the canvas as an RGB PNG file, for answers that never touch
// the disk; nothing when libpng refuses.
std::optional<std::string> EncodePng(const RgbCanvas& canvas);

}  // namespace qv

#pragma once

#include "framework/RgbCanvas.h"

namespace qv {

inline constexpr int kLegendWidth = 32;
inline constexpr int kLegendHeight = 120;

// Bitmap 145 of the data parameters panel: five colour bands from top to
// bottom (red, green, blue, cyan, magenta, the curve colours of the panel's
// rows) in slots of 24 rows, each slot edged by an olive row at top and
// bottom, so neighbouring bands are parted by a two-row olive bar.
RgbCanvas LegendBitmap();

}  // namespace qv

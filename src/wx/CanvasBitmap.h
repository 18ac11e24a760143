#pragma once

#include <wx/bitmap.h>

#include "framework/RgbCanvas.h"

namespace qv {

// A bitmap with the canvas's pixels. The canvas rows are laid out as wxImage
// keeps them, so the image borrows them without a copy.
wxBitmap CanvasBitmap(const RgbCanvas& canvas);

}  // namespace qv

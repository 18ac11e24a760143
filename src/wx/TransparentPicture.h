#pragma once

#include <functional>

#include <wx/bitmap.h>
#include <wx/dc.h>

namespace qv {

// Paints a picture with a transparent background. The desktop's drawing is
// anti-aliased, so a mask colour would bleed into the edges: the picture is
// painted on black and on white and the alpha taken from the difference.
wxBitmap TransparentPicture(int width, int height, const std::function<void(wxDC&)>& paint);

}  // namespace qv

#pragma once

#include <wx/bitmap.h>

namespace qv {

// The 16 by 15 picture of a toolbar command, drawn in code; a plain frame for
// a command without a picture of its own.
wxBitmap ToolbarPicture(int command);

}  // namespace qv

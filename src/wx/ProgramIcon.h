#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

namespace qv {

// The program icon (resource 128): a Moessbauer absorption line, drawn in code.
wxBitmap ProgramPicture(int size);
wxIconBundle ProgramIcons();

}  // namespace qv

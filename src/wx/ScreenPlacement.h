#pragma once

#include <wx/gdicmn.h>

class wxWindow;

namespace qv {

// The visible work area (without panels and docks) of the display that holds
// the program's main window; the first display when that is not known.
wxRect MainWorkArea();

// Where a window wanted at `window` goes so that it lies wholly inside `area`:
// moved as little as possible, its top left corner kept visible when it is
// larger than the area.
wxPoint InsideArea(const wxRect& window, const wxRect& area);

}  // namespace qv

#pragma once

#include <wx/event.h>

namespace qv {

// One scroll bar's steps in pixels: an arrow moves a line, the trough a page.
struct ScrollStep {
    int line;
    int page;
};

// Where a scroll bar event takes the position along its bar, before clamping:
// arrows and trough move by the view's own steps, the thumb goes where it is
// dragged, top and bottom to the ends (last: the largest position).
int ScrolledTo(wxEventType type, int current, int thumb, ScrollStep step, int last);

}  // namespace qv

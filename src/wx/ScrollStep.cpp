#include "ScrollStep.h"

namespace qv {

int ScrolledTo(wxEventType type, int current, int thumb, ScrollStep step, int last) {
    if (type == wxEVT_SCROLLWIN_LINEUP)
        return current - step.line;
    if (type == wxEVT_SCROLLWIN_LINEDOWN)
        return current + step.line;
    if (type == wxEVT_SCROLLWIN_PAGEUP)
        return current - step.page;
    if (type == wxEVT_SCROLLWIN_PAGEDOWN)
        return current + step.page;
    if (type == wxEVT_SCROLLWIN_TOP)
        return 0;
    if (type == wxEVT_SCROLLWIN_BOTTOM)
        return last;
    if (type == wxEVT_SCROLLWIN_THUMBTRACK || type == wxEVT_SCROLLWIN_THUMBRELEASE)
        return thumb;
    return current;
}

}  // namespace qv

#include "ScreenPlacement.h"

#include <algorithm>

#include <wx/app.h>
#include <wx/display.h>
#include <wx/window.h>

namespace qv {
namespace {

int Inside(int at, int length, int start, int areaLength) {
    return std::max(start, std::min(at, start + areaLength - length));
}

}  // namespace

wxRect MainWorkArea() {
    const wxWindow* main = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    int index = main ? wxDisplay::GetFromWindow(main) : wxNOT_FOUND;
    if (index == wxNOT_FOUND)
        index = 0;
    return wxDisplay(static_cast<unsigned>(index)).GetClientArea();
}

wxPoint InsideArea(const wxRect& window, const wxRect& area) {
    return {Inside(window.x, window.width, area.x, area.width),
            Inside(window.y, window.height, area.y, area.height)};
}

}  // namespace qv

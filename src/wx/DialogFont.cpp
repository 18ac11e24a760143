#include "DialogFont.h"

#include <wx/settings.h>

#include "WxText.h"

namespace qv {

wxFont MapDialogFont(const DialogFont& font) {
    if (font.face == "MS Sans Serif") {
        wxFont gui = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
        gui.SetPointSize(font.points);
        return gui;
    }
    wxFontInfo info(font.points);
    info.Family(wxFONTFAMILY_SWISS);
    if (font.face != "Arial")
        info.FaceName(ToWx(font.face));
    return wxFont(info);
}

}  // namespace qv

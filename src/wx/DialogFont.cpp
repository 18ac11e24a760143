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
    // Asked for by name, "Arial" comes as the desktop's metric-compatible face
    // (Liberation Sans, Nimbus Sans), whose digits are as wide as Arial's: the
    // templates' boxes were measured for them. The plain sans family's wider
    // digits would not fit the count-rate window's boxes.
    wxFontInfo info(font.points);
    info.Family(wxFONTFAMILY_SWISS).FaceName(ToWx(font.face));
    return wxFont(info);
}

}  // namespace qv

#pragma once

#include <wx/textctrl.h>

namespace qv {

// An edit box of a dialog template. The templates were laid out for Windows
// edit boxes, which keep only a pixel or two between frame and text; the
// toolkit's wide default padding would cut numbers off in the narrow boxes.
class TemplateEdit : public wxTextCtrl {
public:
    TemplateEdit(wxWindow* parent, int id, const wxString& text, const wxPoint& pos,
                 const wxSize& size, long style);
};

}  // namespace qv

#include "TemplateEdit.h"

namespace qv {

TemplateEdit::TemplateEdit(wxWindow* parent, int id, const wxString& text, const wxPoint& pos,
                           const wxSize& size, long style)
    : wxTextCtrl(parent, id, text, pos, size, style) {
#ifdef __WXGTK3__
    if (!IsMultiLine())
        GTKApplyCssStyle("entry { padding-left: 2px; padding-right: 2px; }");
#endif
}

}  // namespace qv

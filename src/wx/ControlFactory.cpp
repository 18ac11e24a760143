#include "ControlFactory.h"

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

#include "SpinArrows.h"
#include "TemplateEdit.h"
#include "WxText.h"

namespace qv {
namespace {

bool Has(const ControlTemplate& control, unsigned style) {
    return (control.style & style) != 0;
}

long EditStyle(const ControlTemplate& control) {
    long style = 0;
    if (Has(control, kRightAlign))
        style |= wxTE_RIGHT;
    if (Has(control, kCentered))
        style |= wxTE_CENTRE;
    if (Has(control, kNoBorder))
        style |= wxBORDER_NONE;
    switch (control.kind) {
        case ControlKind::ReadOnlyEdit:
            style |= wxTE_READONLY;
            break;
        case ControlKind::MultiLineEdit:
            style |= wxTE_MULTILINE | (Has(control, kVScroll) ? wxVSCROLL : 0L);
            break;
        default:
            break;
    }
    return style;
}

long LabelStyle(const ControlTemplate& control) {
    long style = wxST_NO_AUTORESIZE;
    if (Has(control, kCentered))
        return style | wxALIGN_CENTRE_HORIZONTAL;
    if (Has(control, kRightAlign))
        return style | wxALIGN_RIGHT;
    return style;
}

wxWindow* CreateEdit(wxWindow* parent, const ControlTemplate& control, const wxRect& rect) {
    auto* edit = new TemplateEdit(parent, WidgetId(control), ToWx(control.text), rect.GetPosition(),
                                  rect.GetSize(), EditStyle(control));
    if (control.kind == ControlKind::DigitsEdit)
        edit->SetValidator(wxTextValidator(wxFILTER_DIGITS));
    return edit;
}

wxWindow* CreateLabel(wxWindow* parent, const ControlTemplate& control, const wxRect& rect) {
    auto* label = new wxStaticText(parent, WidgetId(control), ToWx(control.text),
                                   rect.GetPosition(), rect.GetSize(), LabelStyle(control));
    // Windows wraps left-aligned static text at its width.
    if (!Has(control, kCentered) && !Has(control, kRightAlign))
        label->Wrap(rect.width);
    return label;
}

wxWindow* CreateButton(wxWindow* parent, const ControlTemplate& control, const wxRect& rect) {
    auto* button = new wxButton(parent, WidgetId(control), ToWx(control.text), rect.GetPosition(),
                                rect.GetSize(), wxBU_EXACTFIT);
    if (control.kind == ControlKind::DefaultButton)
        button->SetDefault();
    return button;
}

wxWindow* CreateRadio(wxWindow* parent, const ControlTemplate& control, const wxRect& rect) {
    return new wxRadioButton(parent, WidgetId(control), ToWx(control.text), rect.GetPosition(),
                             rect.GetSize(), Has(control, kGroupStart) ? wxRB_GROUP : 0);
}

}  // namespace

int WidgetId(const ControlTemplate& control) {
    return control.id == kStaticId ? wxID_ANY : control.id;
}

wxWindow* ControlFactory::Create(const ControlTemplate& control, const wxRect& rect) const {
    const wxPoint pos = rect.GetPosition();
    const wxSize size = rect.GetSize();
    switch (control.kind) {
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            return CreateButton(parent, control, rect);
        case ControlKind::Edit:
        case ControlKind::ReadOnlyEdit:
        case ControlKind::DigitsEdit:
        case ControlKind::MultiLineEdit:
            return CreateEdit(parent, control, rect);
        case ControlKind::CheckBox:
            return new wxCheckBox(parent, WidgetId(control), ToWx(control.text), pos, size);
        case ControlKind::RadioButton:
            return CreateRadio(parent, control, rect);
        case ControlKind::GroupBox:
            return new wxStaticBox(parent, WidgetId(control), ToWx(control.text), pos, size);
        case ControlKind::StaticText:
            return CreateLabel(parent, control, rect);
        case ControlKind::Spin:
            return new SpinArrows(parent, WidgetId(control), pos, size);
        case ControlKind::Bitmap:
            // Like a Windows icon control, the picture keeps its own size.
            return new wxStaticBitmap(parent, WidgetId(control), pictureOf(control.bitmap, size),
                                      pos);
    }
    return nullptr;
}

}  // namespace qv

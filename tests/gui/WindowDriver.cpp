#include "WindowDriver.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "WxText.h"

namespace qv::test {

wxDialog* OpenModalDialog() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal())
            return dialog;
    return nullptr;
}

wxWindow* WindowDriver::Widget(int id) const {
    return m_dialog.FindWindow(id);
}

void WindowDriver::Type(int id, const std::string& text) {
    if (auto* edit = dynamic_cast<wxTextCtrl*>(Widget(id))) {
        edit->SetFocus();
        edit->SetValue(ToWx(text));  // sends the text event, as typing does
    } else {
        Check(false, "edit box " + std::to_string(id) + " exists");
    }
}

void WindowDriver::Click(int id) {
    wxWindow* widget = Widget(id);
    if (!widget) {
        Check(false, "control " + std::to_string(id) + " exists");
        return;
    }
    wxEventType type = wxEVT_BUTTON;
    if (auto* check = dynamic_cast<wxCheckBox*>(widget)) {
        check->SetValue(!check->GetValue());
        type = wxEVT_CHECKBOX;
    } else if (auto* radio = dynamic_cast<wxRadioButton*>(widget)) {
        radio->SetValue(true);
        type = wxEVT_RADIOBUTTON;
    }
    wxCommandEvent click(type, id);
    click.SetEventObject(widget);
    widget->ProcessWindowEvent(click);
}

std::string WindowDriver::Text(int id) const {
    wxWindow* window = Widget(id);
    if (auto* edit = dynamic_cast<wxTextCtrl*>(window))
        return FromWx(edit->GetValue());
    return window ? FromWx(window->GetLabel()) : std::string("<no control>");
}

bool WindowDriver::Enabled(int id) const {
    wxWindow* window = Widget(id);
    return window && window->IsEnabled();
}

std::string WindowDriver::Caption() const {
    return FromWx(m_dialog.GetTitle());
}

bool WindowDriver::Ticked(int id) const {
    wxWindow* window = Widget(id);
    if (auto* check = dynamic_cast<wxCheckBox*>(window))
        return check->GetValue();
    if (auto* radio = dynamic_cast<wxRadioButton*>(window))
        return radio->GetValue();
    return false;
}

}  // namespace qv::test

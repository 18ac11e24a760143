#include "DialogWindow.h"

#include <wx/anybutton.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "CanvasBitmap.h"
#include "ControlFactory.h"
#include "DialogFont.h"
#include "ScreenPlacement.h"
#include "SpinArrows.h"
#include "WxText.h"

namespace qv {
namespace {

long FrameStyle(const DialogTemplate& dialogTemplate) {
    return wxCAPTION | (dialogTemplate.systemMenu ? wxSYSTEM_MENU | wxCLOSE_BOX : 0L);
}

}  // namespace

class DialogWindow::Host : public DialogHost {
public:
    explicit Host(DialogWindow& window) : m_window(window) {}
    void ControlChanged(int id) override { m_window.Mirror(id); }
    void FocusControl(int id) override;
    void Show(ShowCommand command) override;
    void EndModal(int result) override;
    void SetHeight(int pixels) override { m_window.SetSize(m_window.GetSize().GetWidth(), pixels); }
    void InvalidateOwner(bool erase) override {
        if (m_window.GetParent())
            m_window.GetParent()->Refresh(erase);
    }

private:
    DialogWindow& m_window;
};

void DialogWindow::Host::FocusControl(int id) {
    const auto it = m_window.m_widgets.find(id);
    if (it == m_window.m_widgets.end())
        return;
    it->second->SetFocus();
    // Windows selects the whole text of an edit box that gets the focus this way.
    if (auto* edit = dynamic_cast<wxTextCtrl*>(it->second))
        edit->SelectAll();
}

void DialogWindow::Host::Show(ShowCommand command) {
    m_window.m_showWithOwner = false;
    if (command == ShowCommand::Hide) {
        m_window.Hide();
        return;
    }
    if (m_window.WaitForOwner())
        return;
    if (command == ShowCommand::Restore)
        m_window.Iconize(false);
    // A panel comes up beside the main window without taking the keyboard from
    // it: raised in the stacking order only, not activated.
    m_window.ShowWithoutActivating();
    m_window.wxWindow::Raise();
}

void DialogWindow::Host::EndModal(int result) {
    if (m_window.IsModal())
        m_window.EndModal(result);
    else
        m_window.m_endedEarly = result;
}

DialogWindow::DialogWindow(wxWindow* parent, CDialog& dialog, const PictureSource& pictures)
    : wxDialog(parent, wxID_ANY, ToWx(dialog.Template().caption), wxDefaultPosition, wxDefaultSize,
               FrameStyle(dialog.Template())),
      m_dialog(dialog),
      m_host(std::make_unique<Host>(*this)) {
    SetFont(MapDialogFont(dialog.Template().font));
    const wxRect frame = PixelRect(dialog.Template().rect);
    SetClientSize(frame.GetSize());
    BuildControls(pictures);
    PlaceSpins();
    PlaceByTemplate();
    Bind(wxEVT_CHAR_HOOK, &DialogWindow::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &DialogWindow::OnCloseWindow, this);
}

void DialogWindow::PlaceByTemplate() {
    wxWindow* owner = GetParent();
    if (owner && !owner->IsTopLevel())
        owner = wxGetTopLevelParent(owner);
    // An owner not on the screen yet has no position to go by.
    if (owner && owner->IsShown())
        Move(owner->ClientToScreen(PixelRect(m_dialog.Template().rect).GetPosition()));
}

DialogWindow::~DialogWindow() {
    Detach();
}

void DialogWindow::Detach() {
    if (m_dialog.Host() == m_host.get())
        m_dialog.AttachHost(nullptr);
}

void DialogWindow::DoSetSize(int x, int y, int width, int height, int sizeFlags) {
    const bool anyCoordinate = (sizeFlags & wxSIZE_ALLOW_MINUS_ONE) != 0;
    const bool keepX = x == wxDefaultCoord && !anyCoordinate;
    const bool keepY = y == wxDefaultCoord && !anyCoordinate;
    // A hidden window that is only resized still waits for its first position.
    if (keepX && keepY && !IsShown()) {
        wxDialog::DoSetSize(x, y, width, height, sizeFlags);
        return;
    }
    const wxRect now = GetRect();
    const wxRect wanted(keepX ? now.x : x, keepY ? now.y : y,
                        width == wxDefaultCoord ? now.width : width,
                        height == wxDefaultCoord ? now.height : height);
    const wxPoint inside = InsideArea(wanted, MainWorkArea());
    wxDialog::DoSetSize(inside.x, inside.y, width, height, sizeFlags | wxSIZE_ALLOW_MINUS_ONE);
}

wxRect DialogWindow::PixelRect(const DialogRect& rect) {
    return {ConvertDialogToPixels(wxPoint(rect.x, rect.y)),
            ConvertDialogToPixels(wxSize(rect.cx, rect.cy))};
}

int DialogWindow::RunModal() {
    m_dialog.AttachHost(m_host.get());
    for (const auto& [id, widget] : m_widgets)
        Mirror(id);
    m_dialog.OnInitDialog();
    CentreOnParent();
    const int result = m_endedEarly ? *m_endedEarly : ShowModal();
    Detach();
    return result;
}

void DialogWindow::InitModeless() {
    m_dialog.AttachHost(m_host.get());
    for (const auto& [id, widget] : m_widgets)
        Mirror(id);
    m_dialog.OnInitDialog();
}

void DialogWindow::BuildControls(const PictureSource& pictures) {
    const ControlFactory factory{this, pictures};
    for (const ControlTemplate& control : m_dialog.Template().controls) {
        wxWindow* widget = factory.Create(control, PixelRect(control.rect));
        if (!widget || control.id == kStaticId)
            continue;
        m_widgets[control.id] = widget;
        BindControl(control, widget);
    }
}

// A spin sits inside the right end of its buddy edit, which gives up the room.
void DialogWindow::PlaceSpins() {
    for (const ControlTemplate& control : m_dialog.Template().controls) {
        if (control.kind != ControlKind::Spin)
            continue;
        const auto spin = m_widgets.find(control.id);
        const auto buddy = m_widgets.find(control.buddy);
        if (spin == m_widgets.end() || buddy == m_widgets.end())
            continue;
        const wxRect edit = buddy->second->GetRect();
        const int width = std::max(spin->second->GetSize().GetWidth(), edit.height * 2 / 3);
        buddy->second->SetSize(edit.x, edit.y, edit.width - width, edit.height);
        spin->second->SetSize(edit.GetRight() + 1 - width, edit.y, width, edit.height);
        BindSpin(control.id, spin->second);
    }
}

void DialogWindow::BindControl(const ControlTemplate& control, wxWindow* widget) {
    const int id = control.id;
    switch (control.kind) {
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            widget->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { m_dialog.OnCommand(id); });
            break;
        case ControlKind::CheckBox:
            widget->Bind(wxEVT_CHECKBOX, [this, id](wxCommandEvent&) { m_dialog.ClickCheck(id); });
            break;
        case ControlKind::RadioButton:
            widget->Bind(wxEVT_RADIOBUTTON,
                         [this, id](wxCommandEvent&) { m_dialog.ClickRadio(id); });
            break;
        case ControlKind::Edit:
        case ControlKind::ReadOnlyEdit:
        case ControlKind::DigitsEdit:
        case ControlKind::MultiLineEdit:
            BindEdit(id, widget);
            break;
        default:
            break;
    }
}

void DialogWindow::BindEdit(int id, wxWindow* widget) {
    auto* edit = static_cast<wxTextCtrl*>(widget);
    // Typing changes the model's text only; handlers run on commands and focus loss.
    edit->Bind(wxEVT_TEXT, [this, id, edit](wxCommandEvent&) {
        if (!m_mirroring)
            m_dialog.Control(id).text = FromWx(edit->GetValue());
    });
    edit->Bind(wxEVT_KILL_FOCUS, [this, id](wxFocusEvent& event) {
        event.Skip();
        if (m_dialog.Host() == m_host.get())
            m_dialog.OnKillFocus(id);
    });
}

void DialogWindow::BindSpin(int id, wxWindow* widget) {
    static_cast<SpinArrows*>(widget)->OnStep(
        [this, id](int delta) { m_dialog.ClickSpin(id, delta); });
    // The arrow keys in the buddy edit move the spin, as on Windows.
    const ControlTemplate* spin = m_dialog.Template().Find(id);
    const auto buddy = m_widgets.find(spin ? spin->buddy : 0);
    if (buddy == m_widgets.end())
        return;
    buddy->second->Bind(wxEVT_KEY_DOWN, [this, id](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        if (key == WXK_UP || key == WXK_DOWN)
            m_dialog.ClickSpin(id, key == WXK_UP ? +1 : -1);
        else
            event.Skip();
    });
}

void DialogWindow::Mirror(int id) {
    const auto it = m_widgets.find(id);
    if (it == m_widgets.end() || !m_dialog.HasControl(id))
        return;
    const ControlState& state = m_dialog.Control(id);
    wxWindow* widget = it->second;
    if (auto* picture = dynamic_cast<wxStaticBitmap*>(widget)) {
        MirrorPicture(id, picture);
        return;
    }
    m_mirroring = true;
    MirrorText(widget, state);
    MirrorCheck(widget, state);
    m_mirroring = false;
    widget->Enable(state.enabled);
    widget->Show(state.visible);
}

void DialogWindow::MirrorText(wxWindow* widget, const ControlState& state) {
    const wxString text = ToWx(state.text);
    if (auto* edit = dynamic_cast<wxTextCtrl*>(widget)) {
        if (state.textLimit > 0 && !edit->IsMultiLine())
            edit->SetMaxLength(state.textLimit);
        if (edit->GetValue() != text)
            edit->ChangeValue(text);
    } else if (auto* label = dynamic_cast<wxStaticText*>(widget)) {
        if (label->GetLabel() != text) {
            label->SetLabel(text);
            label->Wrap(label->GetSize().GetWidth());
        }
    } else if (!dynamic_cast<SpinArrows*>(widget) && widget->GetLabel() != text) {
        widget->SetLabel(text);
    }
}

void DialogWindow::MirrorPicture(int id, wxStaticBitmap* picture) {
    const wxSize size = picture->GetSize();
    RgbCanvas canvas(size.x, size.y);
    if (m_dialog.DrawPicture(id, canvas))
        picture->SetBitmap(CanvasBitmap(canvas));
}

void DialogWindow::MirrorCheck(wxWindow* widget, const ControlState& state) {
    if (auto* check = dynamic_cast<wxCheckBox*>(widget)) {
        check->SetValue(state.check != 0);
    } else if (auto* radio = dynamic_cast<wxRadioButton*>(widget)) {
        // A group always has one button set here; the model clears the others.
        if (state.check != 0)
            radio->SetValue(true);
    }
}

bool DialogWindow::EnterBelongsToFocus() const {
    const wxWindow* focus = FindFocus();
    if (dynamic_cast<const wxAnyButton*>(focus))
        return true;
    const auto* edit = dynamic_cast<const wxTextCtrl*>(focus);
    if (!edit || !edit->IsMultiLine())
        return false;
    const ControlTemplate* control = m_dialog.Template().Find(edit->GetId());
    return control && (control->style & kWantReturn) != 0;
}

int DialogWindow::DefaultCommand() const {
    for (const ControlTemplate& control : m_dialog.Template().controls)
        if (control.kind == ControlKind::DefaultButton && m_dialog.HasControl(control.id))
            return control.id;
    return IDOK;
}

// A panel shown before its owner waits for it: mapped first, a transient
// window has GTK realize and allocate the owner before the owner has its size,
// which squeezes the main window's toolbar to nothing (GTK's criticals about
// negative toolbar widths at every start).
bool DialogWindow::WaitForOwner() {
    wxWindow* owner = GetParent() ? wxGetTopLevelParent(GetParent()) : nullptr;
    if (!owner || owner == this || owner->IsShown())
        return false;
    if (!m_showWithOwner) {
        m_showWithOwner = true;
        owner->Bind(wxEVT_SHOW, &DialogWindow::OnOwnerShown, this);
    }
    return true;
}

void DialogWindow::OnOwnerShown(wxShowEvent& event) {
    event.Skip();
    if (!event.IsShown())
        return;
    static_cast<wxWindow*>(event.GetEventObject())
        ->Unbind(wxEVT_SHOW, &DialogWindow::OnOwnerShown, this);
    if (m_showWithOwner)
        CallAfter([this] {
            if (m_showWithOwner)
                m_host->Show(ShowCommand::Show);
        });
}

// A panel that has the keyboard lets the main window's shortcuts (Ctrl+N,
// Ctrl+O, Ctrl+S) through to it; what the owner does not take stays here.
bool DialogWindow::OfferToOwner(const wxKeyEvent& event) {
    if (IsModal() || !GetParent())
        return false;
    wxWindow* owner = wxGetTopLevelParent(GetParent());
    if (!owner || owner == this)
        return false;
    wxKeyEvent offered(event);
    offered.SetEventObject(owner);
    return owner->GetEventHandler()->ProcessEvent(offered);
}

void DialogWindow::OnCharHook(wxKeyEvent& event) {
    if (OfferToOwner(event))
        return;
    switch (event.GetKeyCode()) {
        case WXK_ESCAPE:
            m_dialog.OnCommand(IDCANCEL);
            return;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            if (EnterBelongsToFocus())
                break;
            m_dialog.OnCommand(DefaultCommand());
            return;
        default:
            break;
    }
    event.Skip();
}

void DialogWindow::OnCloseWindow(wxCloseEvent& event) {
    if (!event.CanVeto()) {
        event.Skip();
        return;
    }
    event.Veto();
    m_dialog.OnClose();
}

}  // namespace qv

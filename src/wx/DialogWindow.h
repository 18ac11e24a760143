#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>

#include <wx/dialog.h>

class wxStaticBitmap;

#include "framework/Dialog.h"

namespace qv {

// A real window for one CDialog, built from its template. The model stays in
// the CDialog; this window mirrors it and feeds the user's input back.
class DialogWindow : public wxDialog {
public:
    using PictureSource = std::function<wxBitmap(int resource, wxSize size)>;

    DialogWindow(wxWindow* parent, CDialog& dialog, const PictureSource& pictures);
    ~DialogWindow() override;

    CDialog& Model() { return m_dialog; }
    // Attaches the window to the model, runs OnInitDialog and the modal loop;
    // returns the code the dialog ended with.
    int RunModal();
    // Attaches the window to the model and runs OnInitDialog; stays hidden.
    void InitModeless();
    // At the template's position from its owner's client area, once the owner
    // is on the screen.
    void PlaceByTemplate();

protected:
    // Every placement, by the program or the toolkit, ends inside the work area
    // of the main window's display.
    void DoSetSize(int x, int y, int width, int height, int sizeFlags) override;

private:
    class Host;
    friend class Host;

    void BuildControls(const PictureSource& pictures);
    void PlaceSpins();
    void BindControl(const ControlTemplate& control, wxWindow* widget);
    void BindEdit(int id, wxWindow* widget);
    void BindSpin(int id, wxWindow* widget);
    void Mirror(int id);
    void MirrorText(wxWindow* widget, const ControlState& state);
    void MirrorCheck(wxWindow* widget, const ControlState& state);
    void MirrorPicture(int id, wxStaticBitmap* picture);
    void OnCharHook(wxKeyEvent& event);
    bool OfferToOwner(const wxKeyEvent& event);
    bool WaitForOwner();
    void OnOwnerShown(wxShowEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    bool EnterBelongsToFocus() const;
    int DefaultCommand() const;
    void Detach();
    wxRect PixelRect(const DialogRect& rect);

    CDialog& m_dialog;
    std::unique_ptr<Host> m_host;
    std::map<int, wxWindow*> m_widgets;
    bool m_mirroring = false;
    bool m_showWithOwner = false;     // asked to show while the owner was still hidden
    std::optional<int> m_endedEarly;  // EndDialog came before the modal loop ran
};

}  // namespace qv

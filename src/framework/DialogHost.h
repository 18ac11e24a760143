#pragma once

namespace qv {

enum class ShowCommand { Hide, Show, Restore };

// The window side of a dialog. The front end implements it for each dialog it
// builds; a dialog without a host (hidden editor, headless test) needs none.
class DialogHost {
public:
    virtual ~DialogHost() = default;
    // The model of a control changed (text, check, enabled, spin range): redraw it.
    virtual void ControlChanged(int id) = 0;
    virtual void FocusControl(int id) = 0;
    virtual void Show(ShowCommand command) = 0;
    virtual void EndModal(int result) = 0;
    // New outer height in pixels, keeping position and width.
    virtual void SetHeight(int pixels) = 0;
    // Repaint the window that owns this dialog (the view behind a panel).
    virtual void InvalidateOwner(bool erase) = 0;
};

}  // namespace qv

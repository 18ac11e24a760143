#pragma once

#include <string>

#include "EditorsGuiCases.h"
#include "GuiChecks.h"

class wxDialog;
class wxWindow;

namespace qv::test {

// The modal dialog that runs now, or nothing.
wxDialog* OpenModalDialog();

// The operator at one open dialog window, through its real widgets: typing
// sends the text event, a click on a button, check box or radio button does
// what the mouse would.
class WindowDriver : public EditorDriver {
public:
    WindowDriver(wxDialog& dialog, GuiChecks& checks) : m_dialog(dialog), m_checks(checks) {}

    void Type(int id, const std::string& text) override;
    void Click(int id) override;
    std::string Text(int id) const override;
    bool Enabled(int id) const override;
    std::string Caption() const override;
    void Check(bool ok, const std::string& what) override { m_checks.Check(ok, what); }
    // A check box or radio button shows a tick.
    bool Ticked(int id) const;
    wxWindow* Widget(int id) const;
    wxDialog& Window() const { return m_dialog; }

private:
    wxDialog& m_dialog;
    GuiChecks& m_checks;
};

}  // namespace qv::test

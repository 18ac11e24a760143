#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/DialogHost.h"
#include "framework/DialogTemplate.h"
#include "framework/Ui.h"

namespace qv {

class CDataExchange;

// The state of one control, owned by the dialog. The front end mirrors it into
// real widgets (through DialogHost) and feeds user input back into it.
struct ControlState {
    std::string text;
    int check = 0;  // check boxes and radio buttons
    bool enabled = true;
    bool visible = true;
    int textLimit = 0;  // 0: no limit
    int spinLower = 0;  // up-down range and position
    int spinUpper = 100;
    int spinPos = 0;
};

// UDM_SETRANGE: wParam 0, lParam = upper bound (low 16 bits), lower bound (high 16 bits).
inline constexpr unsigned UDM_SETRANGE = 1125;

// Stand-in for the desktop framework's dialog: modal or modeless, data exchange,
// command, focus-lost and spin handlers by control id.
class CDialog {
public:
    CDialog(const DialogTemplate& dialogTemplate, Ui& ui);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Modal run through the Ui; returns the code given to EndDialog.
    int DoModal();
    // Modeless: builds the window (hidden until ShowWindow).
    bool Create();
    void ShowWindow(ShowCommand command);
    bool IsWindowVisible() const { return m_visible; }
    bool IsRunning() const { return m_running; }
    // The Ui starts running the dialog modally (DoModal does this itself).
    void MarkRunning();

    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange&) {}
    // Moves members to controls (false) or controls to members with validation
    // (true). Returns false when a value was refused; the exchange stops there.
    bool UpdateData(bool saveAndValidate = true);
    // Whether the last taking of the controls (UpdateData(true)) refused a value.
    bool ValueRefused() const { return m_bValueRefused; }
    virtual void OnOK();
    virtual void OnCancel();
    // The window's close box or close message; the default cancels.
    virtual void OnClose() { OnCancel(); }
    void EndDialog(int result);

    // Events, from the front end or a test driving the dialog.
    void OnCommand(int id);
    void OnKillFocus(int id);
    // The user pressed an arrow of spin control spinId: asks the handler (which
    // may refuse the move), then moves the position and the buddy's text.
    void ClickSpin(int spinId, int delta);
    // The user typed into an edit box (replacing its text); digits-only edits
    // drop other characters as the control would, text limits cut the rest.
    void TypeText(int id, const std::string& text);
    void ClickCheck(int id);  // toggles a check box, then OnCommand
    void ClickRadio(int id);  // selects within its group, then OnCommand

    // Control access as the framework offers it.
    ControlState& Control(int id);
    const ControlState& Control(int id) const;
    bool HasControl(int id) const;
    std::string GetDlgItemText(int id) const { return Control(id).text; }
    void SetDlgItemText(int id, const std::string& text);
    void CheckDlgButton(int id, int check);
    int IsDlgButtonChecked(int id) const { return Control(id).check; }
    void EnableControl(int id, bool enable);
    // The most characters the user may type into an edit box; 0: no limit.
    void LimitText(int id, int count);
    void GotoDlgCtrl(int id);
    int FocusedControl() const { return m_focus; }
    // The message a spin control understands; returns 0.
    long SendSpinMessage(int spinId, unsigned message, unsigned long wParam, long lParam);
    void SetHeight(int pixels);
    void InvalidateOwner(bool erase);
    // What the last two asked for, for a dialog without a window: 0 until set.
    int Height() const { return m_height; }
    int OwnerInvalidations() const { return m_ownerInvalidations; }
    bool LastOwnerErase() const { return m_lastOwnerErase; }

    const DialogTemplate& Template() const { return m_template; }
    // Every control id a command, focus-lost or spin handler is registered for.
    std::vector<int> HandledControlIds() const;
    Ui& GetUi() const { return m_ui; }
    void AttachHost(DialogHost* host) { m_host = host; }
    DialogHost* Host() const { return m_host; }
    int Result() const { return m_result; }

protected:
    using Handler = std::function<void()>;
    // Returns true to allow the spin to move (the desktop's result 0).
    using SpinHandler = std::function<bool(int position, int delta)>;
    void OnButton(int id, Handler handler) { m_commands[id] = std::move(handler); }
    void OnFocusLost(int id, Handler handler) { m_focusLost[id] = std::move(handler); }
    void OnSpinDelta(int spinId, SpinHandler handler) { m_spins[spinId] = std::move(handler); }

private:
    friend class CDataExchange;
    void Changed(int id);
    void ResetControls();
    bool AcceptsInput(int id) const;
    void MoveSpin(int spinId, int position);

    const DialogTemplate& m_template;
    Ui& m_ui;
    DialogHost* m_host = nullptr;
    std::map<int, ControlState> m_controls;
    std::map<int, Handler> m_commands;
    std::map<int, Handler> m_focusLost;
    std::map<int, SpinHandler> m_spins;
    int m_focus = 0;
    int m_result = 0;
    bool m_running = false;
    bool m_visible = false;
    bool m_modeless = false;  // Create() built a window that outlives a run
    int m_height = 0;
    int m_ownerInvalidations = 0;
    bool m_lastOwnerErase = false;
    bool m_bValueRefused = false;
};

}  // namespace qv

#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <wx/bitmap.h>

#include "framework/Ui.h"

class wxGenericMessageDialog;
class wxWindow;
class wxTimer;

namespace qv {

class DialogWindow;

// The Ui service with real windows: native message boxes and file dialogs,
// dialogs built from their templates, and wx timers, which keep ticking inside
// modal loops because GTK runs nested main loops for them.
class WxUi : public Ui {
public:
    WxUi();
    ~WxUi() override;

    MsgResult MessageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    int RunModal(CDialog& dialog) override;
    bool CreateModeless(CDialog& dialog) override;
    void DestroyWindow(CDialog& dialog) override;
    void SetTimer(int id, unsigned periodMs, std::function<void()> tick) override;
    void KillTimer(int id) override;
    void RunLater(std::function<void()> task) override;

    // The picture of a Bitmap control (resource number) for a control of the
    // given size; a neutral frame for pictures that are not drawn yet.
    static wxBitmap Picture(int resource, wxSize size);

    // The window that modeless dialogs created from now on belong to; nothing:
    // the main window.
    void SetModelessParent(wxWindow* parent) { m_modelessParent = parent; }
    // The window of a modeless dialog, or of a modal one while it runs;
    // nothing when it has none.
    wxWindow* WindowOf(const CDialog& dialog) const;
    // While set, message boxes, file dialogs and modal dialogs go to standIn
    // instead of the screen: a running job's operations play the operator.
    // Modeless windows and timers stay real.
    void SetStandIn(Ui* standIn) { m_standIn = standIn; }

protected:
    // Runs a built message box; returns its wx answer.
    virtual int ShowBox(wxGenericMessageDialog& box);
    // Runs the system's file dialog, starting in folder; the chosen path.
    virtual std::optional<std::string> RunFileDialog(const FileDialogRequest& request,
                                                     const std::string& folder);

private:
    std::optional<std::string> AskFileName(const FileDialogRequest& request);
    std::string StartFolder(const FileDialogRequest& request) const;
    bool ConfirmOverwrite(const std::string& path, const FileDialogRequest& request);

    std::map<const CDialog*, DialogWindow*> m_modeless;
    std::map<const CDialog*, DialogWindow*> m_modal;  // while their modal loop runs
    wxWindow* m_modelessParent = nullptr;
    Ui* m_standIn = nullptr;
    std::string m_lastFolder;  // of the last file chosen in a file dialog
    std::map<int, std::unique_ptr<wxTimer>> m_timers;
    std::vector<std::unique_ptr<wxTimer>> m_stopped;  // killed from inside their own tick
};

}  // namespace qv

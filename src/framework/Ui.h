#pragma once

#include <functional>
#include <optional>
#include <string>

namespace qv {

class CDialog;

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Exclamation, Information, Question, Error };
enum class MsgResult { Ok, Cancel, Yes, No };

// One message box. An empty caption means the system default caption, which
// the front end shows as the application title.
struct MessageBoxRequest {
    std::string text;
    std::string caption;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    // The dialog whose window owns the box; nothing: no owner window.
    const CDialog* owner = nullptr;
};

// The answer of a box that nobody reads: its first button.
inline MsgResult DefaultAnswer(MsgButtons buttons) {
    return (buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel) ? MsgResult::Ok
                                                                          : MsgResult::Yes;
}

// Flags of the common file dialog that the callers ask for.
enum FileDialogFlags : unsigned {
    kHideReadOnly = 0x0004,
    kOverwritePrompt = 0x0002,
    kLongNames = 0x00200000,
};

struct FileDialogRequest {
    bool save = false;
    std::string initialPath;
    std::string defaultExtension;
    // "Name|pattern|Name|pattern||" as the desktop framework writes filters.
    std::string filter;
    unsigned flags = 0;
    std::string title;
};

// The desktop services that the document, editors and view need. The wx front
// end implements it with real windows; tests and qvtool use their own.
class Ui {
public:
    virtual ~Ui() = default;
    virtual MsgResult MessageBox(const MessageBoxRequest& request) = 0;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;

    // Runs the dialog modally: builds its window, calls OnInitDialog, dispatches
    // until EndDialog. Timers keep running meanwhile. Returns the end code.
    virtual int RunModal(CDialog& dialog) = 0;
    // Builds the dialog's window without running it (modeless panels); calls
    // OnInitDialog. The window stays hidden until the dialog shows it.
    virtual bool CreateModeless(CDialog& dialog) = 0;
    // The dialog object is going away: drop its window.
    virtual void DestroyWindow(CDialog& dialog) = 0;

    // Window timer: calls tick every period until killed; ticks also arrive
    // while a modal dialog or message box is open.
    virtual void SetTimer(int id, unsigned periodMs, std::function<void()> tick) = 0;
    virtual void KillTimer(int id) = 0;
    // Runs task once the event that is being handled is over, from the event
    // loop, so that a box it opens lets that event's source fire again.
    // Without an event loop: at once.
    virtual void RunLater(std::function<void()> task) { task(); }

    MsgResult Message(const std::string& text, const std::string& caption = {},
                      MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None) {
        return MessageBox({text, caption, buttons, icon});
    }
    // A box owned by the window of dialog.
    MsgResult MessageFor(const CDialog& owner, const std::string& text,
                         const std::string& caption = {}, MsgButtons buttons = MsgButtons::Ok) {
        return MessageBox({text, caption, buttons, MsgIcon::None, &owner});
    }
};

}  // namespace qv

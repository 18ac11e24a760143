#pragma once

#include <ostream>

#include "framework/Ui.h"

namespace qv::tool {

// Message boxes become lines on the error stream, with the same text the
// desktop program shows; every box is answered with its first button.
class ConsoleUi : public Ui {
public:
    explicit ConsoleUi(std::ostream& err) : m_err(err) {}
    MsgResult MessageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return {}; }
    // qvtool never shows a dialog or runs a timer.
    int RunModal(CDialog&) override { return 2; }
    bool CreateModeless(CDialog&) override { return false; }
    void DestroyWindow(CDialog&) override {}
    void SetTimer(int, unsigned, std::function<void()>) override {}
    void KillTimer(int) override {}

private:
    std::ostream& m_err;
};

}  // namespace qv::tool

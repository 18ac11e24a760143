#pragma once

#include <vector>

#include "framework/Document.h"
#include "framework/Ui.h"

namespace qv {

// For as long as it lives, the document's plain notices (message boxes with
// only an OK button) are kept back instead of shown, so that the work that
// raised them finishes without waiting for a click. Questions, file dialogs
// and modal dialogs still go to the document's own Ui at once. Holds nest:
// what an inner hold shows goes into the outer one.
class MessageHold {
public:
    explicit MessageHold(CDocument& document);
    ~MessageHold();
    MessageHold(const MessageHold&) = delete;
    MessageHold& operator=(const MessageHold&) = delete;

    const std::vector<MessageBoxRequest>& Held() const { return m_ui.held; }
    // Ends the hold and shows what was held, in order, through the Ui behind.
    void ShowHeld();
    // Ends the hold and hands what was held to the caller.
    std::vector<MessageBoxRequest> Release();

private:
    class HoldingUi : public Ui {
    public:
        explicit HoldingUi(Ui& behind) : m_behind(behind) {}
        MsgResult MessageBox(const MessageBoxRequest& request) override;
        std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
            return m_behind.ChooseFile(request);
        }
        int RunModal(CDialog& dialog) override { return m_behind.RunModal(dialog); }
        bool CreateModeless(CDialog& dialog) override { return m_behind.CreateModeless(dialog); }
        void DestroyWindow(CDialog& dialog) override { m_behind.DestroyWindow(dialog); }
        void SetTimer(int id, unsigned periodMs, std::function<void()> tick) override {
            m_behind.SetTimer(id, periodMs, std::move(tick));
        }
        void KillTimer(int id) override { m_behind.KillTimer(id); }
        void RunLater(std::function<void()> task) override { m_behind.RunLater(std::move(task)); }

        std::vector<MessageBoxRequest> held;

    private:
        Ui& m_behind;
    };

    void End();

    CDocument& m_document;
    Ui& m_behind;
    HoldingUi m_ui;
    bool m_holding = true;
};

}  // namespace qv

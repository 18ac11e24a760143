#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/Ui.h"

namespace qv {

// Ui without a display: records every box, dialog and timer, answers from
// queues. An empty answer queue gives the first button of the box (Ok or Yes)
// and a cancelled file dialog.
//
// A modal dialog runs OnInitDialog, then the next queued modal script (which
// plays the user: types, clicks, spins, fires timers), and is cancelled if the
// script left it open. Timers tick only when a test fires them.
class HeadlessUi : public Ui {
public:
    using ModalScript = std::function<void(CDialog&)>;
    struct TimerCall {
        int id = 0;
        bool set = false;  // false: KillTimer
        unsigned periodMs = 0;
    };

    MsgResult MessageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    int RunModal(CDialog& dialog) override;
    bool CreateModeless(CDialog& dialog) override;
    void DestroyWindow(CDialog& dialog) override;
    void SetTimer(int id, unsigned periodMs, std::function<void()> tick) override;
    void KillTimer(int id) override;

    void QueueAnswer(MsgResult answer) { m_answers.push_back(answer); }
    void QueueFile(std::optional<std::string> path) { m_files.push_back(std::move(path)); }
    // Scripts are taken one per modal run, in order; a run without one just
    // initialises the dialog and cancels it.
    void QueueModalScript(ModalScript script) { m_scripts.push_back(std::move(script)); }
    // One tick of a running timer; false when no timer has that id.
    bool FireTimer(int id);
    bool HasTimer(int id) const { return m_timers.count(id) != 0; }
    unsigned TimerPeriod(int id) const;

    const std::vector<MessageBoxRequest>& Boxes() const { return m_boxes; }
    const std::vector<FileDialogRequest>& FileDialogs() const { return m_fileDialogs; }
    // Template ids of the dialogs run modally, in order of opening.
    const std::vector<int>& ModalRuns() const { return m_modalRuns; }
    const std::vector<int>& ModelessCreated() const { return m_modelessCreated; }
    const std::vector<int>& WindowsDestroyed() const { return m_destroyed; }
    const std::vector<TimerCall>& TimerCalls() const { return m_timerCalls; }
    std::size_t PendingScripts() const { return m_scripts.size(); }
    // Forgets the records and the queued answers, files and scripts; running
    // timers keep running.
    void Clear();

private:
    struct Timer {
        unsigned periodMs = 0;
        std::function<void()> tick;
    };
    std::optional<ModalScript> NextScript();

    std::vector<MessageBoxRequest> m_boxes;
    std::vector<FileDialogRequest> m_fileDialogs;
    std::deque<MsgResult> m_answers;
    std::deque<std::optional<std::string>> m_files;
    std::deque<ModalScript> m_scripts;
    std::vector<int> m_modalRuns;
    std::vector<int> m_modelessCreated;
    std::vector<int> m_destroyed;
    std::vector<TimerCall> m_timerCalls;
    std::map<int, Timer> m_timers;
};

}  // namespace qv

#include "framework/HeadlessUi.h"

#include "framework/Dialog.h"

namespace qv {

MsgResult HeadlessUi::MessageBox(const MessageBoxRequest& request) {
    m_boxes.push_back(request);
    if (m_answers.empty()) {
        return DefaultAnswer(request.buttons);
    }
    const MsgResult answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<std::string> HeadlessUi::ChooseFile(const FileDialogRequest& request) {
    m_fileDialogs.push_back(request);
    if (m_files.empty()) {
        return std::nullopt;
    }
    auto path = m_files.front();
    m_files.pop_front();
    return path;
}

std::optional<HeadlessUi::ModalScript> HeadlessUi::NextScript() {
    if (m_scripts.empty()) {
        return std::nullopt;
    }
    ModalScript script = std::move(m_scripts.front());
    m_scripts.pop_front();
    return script;
}

int HeadlessUi::RunModal(CDialog& dialog) {
    m_modalRuns.push_back(dialog.Template().id);
    dialog.MarkRunning();
    dialog.OnInitDialog();
    // Taken before it runs, so a dialog the script opens gets the next one;
    // taken even when the dialog ended itself at start, to keep scripts in step.
    const auto script = NextScript();
    if (script && dialog.IsRunning()) {
        (*script)(dialog);
    }
    if (dialog.IsRunning()) {
        dialog.OnCancel();
    }
    if (dialog.IsRunning()) {
        // A dialog that ignores Cancel still has to end when the user closes it here.
        dialog.EndDialog(IDCANCEL);
    }
    return dialog.Result();
}

bool HeadlessUi::CreateModeless(CDialog& dialog) {
    m_modelessCreated.push_back(dialog.Template().id);
    dialog.OnInitDialog();
    return true;
}

void HeadlessUi::DestroyWindow(CDialog& dialog) {
    m_destroyed.push_back(dialog.Template().id);
}

void HeadlessUi::SetTimer(int id, unsigned periodMs, std::function<void()> tick) {
    m_timerCalls.push_back({id, true, periodMs});
    m_timers[id] = {periodMs, std::move(tick)};
}

void HeadlessUi::KillTimer(int id) {
    m_timerCalls.push_back({id, false, 0});
    m_timers.erase(id);
}

bool HeadlessUi::FireTimer(int id) {
    const auto it = m_timers.find(id);
    if (it == m_timers.end()) {
        return false;
    }
    // Copy: the tick may kill or replace its own timer.
    const std::function<void()> tick = it->second.tick;
    tick();
    return true;
}

unsigned HeadlessUi::TimerPeriod(int id) const {
    const auto it = m_timers.find(id);
    return it == m_timers.end() ? 0 : it->second.periodMs;
}

void HeadlessUi::Clear() {
    m_boxes.clear();
    m_fileDialogs.clear();
    m_answers.clear();
    m_files.clear();
    m_scripts.clear();
    m_modalRuns.clear();
    m_modelessCreated.clear();
    m_destroyed.clear();
    m_timerCalls.clear();
}

}  // namespace qv

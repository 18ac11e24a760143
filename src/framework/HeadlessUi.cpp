#include "framework/HeadlessUi.h"

namespace qv {

namespace {
MsgResult FirstButton(MsgButtons buttons) {
    return (buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel) ? MsgResult::Ok
                                                                           : MsgResult::Yes;
}
}  // namespace

MsgResult HeadlessUi::MessageBox(const MessageBoxRequest& request) {
    m_boxes.push_back(request);
    if (m_answers.empty()) {
        return FirstButton(request.buttons);
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

void HeadlessUi::Clear() {
    m_boxes.clear();
    m_fileDialogs.clear();
    m_answers.clear();
    m_files.clear();
}

}  // namespace qv

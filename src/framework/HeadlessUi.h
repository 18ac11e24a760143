#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "framework/Ui.h"

namespace qv {

// Ui without a display: records every box and dialog, answers from queues.
// An empty answer queue gives the first button of the box (Ok or Yes) and a
// cancelled file dialog.
class HeadlessUi : public Ui {
public:
    MsgResult MessageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;

    void QueueAnswer(MsgResult answer) { m_answers.push_back(answer); }
    void QueueFile(std::optional<std::string> path) { m_files.push_back(std::move(path)); }

    const std::vector<MessageBoxRequest>& Boxes() const { return m_boxes; }
    const std::vector<FileDialogRequest>& FileDialogs() const { return m_fileDialogs; }
    void Clear();

private:
    std::vector<MessageBoxRequest> m_boxes;
    std::vector<FileDialogRequest> m_fileDialogs;
    std::deque<MsgResult> m_answers;
    std::deque<std::optional<std::string>> m_files;
};

}  // namespace qv

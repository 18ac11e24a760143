#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <wx/msgdlg.h>
// The generic box builds on the declarations above.
#include <wx/generic/msgdlgg.h>

#include "WxText.h"
#include "WxUi.h"

namespace qv::test {

struct ShownBox {
    std::string text;
    std::string caption;
};

// File dialogs answer from a queue; message boxes are shown and then answered
// from a queue (an unexpected box is cancelled), and every box is recorded.
class ScriptedUi : public WxUi {
public:
    std::deque<std::string> files;
    std::deque<int> answers;  // wxID_YES, wxID_NO, wxID_OK
    std::vector<ShownBox> boxes;
    // Runs inside the next box's modal loop, while it is shown, before its answer.
    std::function<void(wxDialog&)> whileOpen;

protected:
    std::optional<std::string> RunFileDialog(const FileDialogRequest&,
                                             const std::string&) override {
        if (files.empty())
            return std::nullopt;
        std::string path = files.front();
        files.pop_front();
        return path;
    }
    int ShowBox(wxGenericMessageDialog& box) override {
        boxes.push_back({FromWx(box.GetMessage()), FromWx(box.GetTitle())});
        int answer = wxID_CANCEL;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        box.CallAfter([this, &box, answer] {
            if (auto play = std::exchange(whileOpen, nullptr))
                play(box);
            box.EndModal(answer);
        });
        return WxUi::ShowBox(box);
    }
};

}  // namespace qv::test

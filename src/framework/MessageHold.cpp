#include "framework/MessageHold.h"

#include <utility>

namespace qv {

MsgResult MessageHold::HoldingUi::MessageBox(const MessageBoxRequest& request) {
    if (request.buttons != MsgButtons::Ok) {
        return m_behind.MessageBox(request);
    }
    held.push_back(request);
    return MsgResult::Ok;
}

MessageHold::MessageHold(CDocument& document)
    : m_document(document), m_behind(document.GetUi()), m_ui(m_behind) {
    m_document.SetUi(m_ui);
}

MessageHold::~MessageHold() {
    End();
}

void MessageHold::End() {
    if (m_holding) {
        m_document.SetUi(m_behind);
        m_holding = false;
    }
}

void MessageHold::ShowHeld() {
    for (const MessageBoxRequest& request : Release()) {
        m_behind.MessageBox(request);
    }
}

std::vector<MessageBoxRequest> MessageHold::Release() {
    End();
    return std::exchange(m_ui.held, {});
}

}  // namespace qv

#include "ConsoleUi.h"

namespace qv::tool {

MsgResult ConsoleUi::MessageBox(const MessageBoxRequest& request) {
    m_err << request.text << '\n';
    const bool okFirst =
        request.buttons == MsgButtons::Ok || request.buttons == MsgButtons::OkCancel;
    return okFirst ? MsgResult::Ok : MsgResult::Yes;
}

}  // namespace qv::tool

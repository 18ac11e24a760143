#include "ConsoleUi.h"

namespace qv::tool {

MsgResult ConsoleUi::MessageBox(const MessageBoxRequest& request) {
    m_err << request.text << '\n';
    return DefaultAnswer(request.buttons);
}

}  // namespace qv::tool

#include "jobs/JobUi.h"

#include "app/Resources.h"
#include "framework/FrameworkIds.h"

namespace qv::jobs {

std::string JobUi::CaptionOf(const MessageBoxRequest& request) {
    return request.caption.empty() ? LoadString(AFX_IDS_APP_TITLE) : request.caption;
}

MsgResult JobUi::MessageBox(const MessageBoxRequest& request) {
    m_err << "[" << CaptionOf(request) << "] " << request.text << std::endl;
    return HeadlessUi::MessageBox(request);
}

}  // namespace qv::jobs

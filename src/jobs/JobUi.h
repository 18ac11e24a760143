#pragma once

#include <ostream>

#include "framework/HeadlessUi.h"

namespace qv::jobs {

// The desktop without a display, for jobs: every message box goes to the
// error stream as its caption and text the moment it is shown (and is
// answered with its first button); editors run the modal scripts the job's
// operations queue, as if the operator typed and clicked.
class JobUi : public HeadlessUi {
public:
    explicit JobUi(std::ostream& err) : m_err(err) {}
    MsgResult MessageBox(const MessageBoxRequest& request) override;

    // The caption a box shows: its own, or the application's title.
    static std::string CaptionOf(const MessageBoxRequest& request);

private:
    std::ostream& m_err;
};

}  // namespace qv::jobs

#pragma once

#include <string>

#include "GuiChecks.h"

namespace qv::test {

// A GUI test program's application: it runs the toolkit's loop and then exits
// with the verdict of the checks made on the way.
template <typename ToolkitBase>
class CheckedApp : public ToolkitBase {
public:
    int OnRun() override {
        ToolkitBase::OnRun();
        return m_verdict.Verdict();
    }

protected:
    void Check(bool ok, const std::string& what) { m_verdict.Check(ok, what); }

    GuiChecks m_verdict;
};

}  // namespace qv::test

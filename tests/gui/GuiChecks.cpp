#include "GuiChecks.h"

#include <wx/debug.h>
#include <wx/string.h>

#include <cstdlib>
#include <iostream>
#include <thread>

namespace qv::test {

void GuiChecks::Check(bool ok, const std::string& what) {
    ++m_checks;
    if (ok) {
        return;
    }
    ++m_failures;
    std::cerr << "check failed: " << what << "\n";
}

int GuiChecks::Verdict() const {
    std::cout << (m_failures ? "FAILED" : "passed") << " (" << m_checks << " checks)\n";
    return m_failures == 0 ? 0 : 1;
}

void InstallGuiTestGuards(std::chrono::seconds limit) {
    wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                          const wxString& message) {
        std::cerr << "wx assertion " << cond << " " << message << " at " << file << ":" << line
                  << "\n";
        std::_Exit(3);
    });
    std::thread([limit] {
        std::this_thread::sleep_for(limit);
        std::cerr << "timed out\n";
        std::_Exit(2);
    }).detach();
}

}  // namespace qv::test

#pragma once

#include <chrono>
#include <string>

namespace qv::test {

// Counts the checks of a GUI test program and prints each failure; the
// program's exit code is the verdict.
class GuiChecks {
public:
    void Check(bool ok, const std::string& what);
    int Count() const { return m_checks; }
    // Prints the summary; 0 when every check passed.
    int Verdict() const;

private:
    int m_checks = 0;
    int m_failures = 0;
};

// A failed wx assertion would open a box nobody closes, and a hang would keep
// ctest waiting: both end the program with a message instead.
void InstallGuiTestGuards(std::chrono::seconds limit);

}  // namespace qv::test

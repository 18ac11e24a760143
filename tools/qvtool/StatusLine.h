#pragma once

#include <ostream>
#include <streambuf>
#include <string>

namespace qv::tool {

// One status line at the bottom of a terminal, rewritten in place.
class StatusLine {
public:
    explicit StatusLine(std::ostream& terminal) : m_terminal(terminal) {}
    ~StatusLine() { Clear(); }
    StatusLine(const StatusLine&) = delete;
    StatusLine& operator=(const StatusLine&) = delete;

    void Show(const std::string& text);
    void Clear();

private:
    std::ostream& m_terminal;
    bool m_shown = false;
};

// A stream into target that wipes the status line before anything it writes,
// so the job's reports and messages never run into it; the next Show puts the
// status line back below them.
class BesideStatusLine : private std::streambuf, public std::ostream {
public:
    BesideStatusLine(StatusLine& status, std::ostream& target)
        : std::ostream(this), m_status(status), m_target(target) {}

private:
    int overflow(int c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

    StatusLine& m_status;
    std::ostream& m_target;
};

}  // namespace qv::tool

#include "StatusLine.h"

namespace qv::tool {

namespace {

// Back to the start of the line and wipe it.
constexpr const char* kWipe = "\r\x1b[K";

}  // namespace

void StatusLine::Show(const std::string& text) {
    m_terminal << kWipe << text << std::flush;
    m_shown = true;
}

void StatusLine::Clear() {
    if (m_shown) {
        m_terminal << kWipe << std::flush;
        m_shown = false;
    }
}

int BesideStatusLine::overflow(int c) {
    m_status.Clear();
    if (c != std::streambuf::traits_type::eof()) {
        m_target.put(static_cast<char>(c));
    }
    return std::streambuf::traits_type::not_eof(c);
}

std::streamsize BesideStatusLine::xsputn(const char* text, std::streamsize count) {
    m_status.Clear();
    m_target.write(text, count);
    return count;
}

int BesideStatusLine::sync() {
    m_target.flush();
    return 0;
}

}  // namespace qv::tool

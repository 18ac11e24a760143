#pragma once

#include <string>

#include <wx/string.h>

namespace qv {

// The core keeps text as UTF-8; wx strings are converted at the boundary only.
inline wxString ToWx(const std::string& text) {
    return wxString::FromUTF8(text);
}
inline std::string FromWx(const wxString& text) {
    return text.utf8_string();
}

}  // namespace qv

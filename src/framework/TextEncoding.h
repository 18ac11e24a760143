#pragma once

#include <string>

namespace qv {

// Remarks are stored as Windows-1252 bytes; the desktop and JSON speak UTF-8.
std::string Cp1252ToUtf8(const std::string& bytes);
// Characters without a Windows-1252 form become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(const std::string& utf8);

}  // namespace qv

#pragma once

#include <string>
#include <vector>

namespace qv {

// Remarks are stored as Windows-1252 bytes; the desktop and JSON speak UTF-8.
std::string Cp1252ToUtf8(const std::string& bytes);
// Characters without a Windows-1252 form become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(const std::string& utf8);

// For showing stored text: as Cp1252ToUtf8, but the five bytes Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD, so every
// output shows them alike instead of as invisible control characters.
std::string Cp1252ToDisplayText(const std::string& bytes);

// The distinct characters of utf8 that Windows-1252 cannot hold, in order of
// first appearance; a malformed UTF-8 sequence counts as U+FFFD.
std::vector<char32_t> CharactersOutsideCp1252(const std::string& utf8);

// Empty when the remark can be stored, else the refusal to show before
// anything is stored; it names each character and its code point.
std::string RemarkEncodingRefusal(const std::string& utf8);

}  // namespace qv

#include "framework/Cp1252Check.h"

#include <algorithm>

#include "framework/TextEncoding.h"

namespace qv {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Bytes of the well-formed UTF-8 sequence at pos (no overlong forms, no
// surrogates, nothing above U+10FFFF); 0 when the byte there starts none.
std::size_t WellFormedLength(const std::string& s, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        return 1;
    }
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || pos + length > s.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(s[pos + i]))) {
            return 0;
        }
    }
    const auto second = static_cast<unsigned char>(s[pos + 1]);
    const bool outOfRange = (lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
                            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90);
    return outOfRange ? 0 : length;
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        names.push_back(name);
    }
}

}  // namespace

std::vector<std::string> CharactersOutsideCp1252(const std::string& utf8) {
    std::vector<std::string> outside;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t length = WellFormedLength(utf8, pos);
        if (length == 0) {
            AddOnce(outside, kReplacement);
            ++pos;
            continue;
        }
        const std::string character = utf8.substr(pos, length);
        pos += length;
        // The conversion writes '?' for what it cannot hold.
        if (character != "?" && Utf8ToCp1252(character) == "?") {
            AddOnce(outside, character);
        }
    }
    return outside;
}

}  // namespace qv

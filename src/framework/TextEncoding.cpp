#include "framework/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace qv {

namespace {

// Code points of 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves undefined,
// which we carry through as the C1 control of the same number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

std::optional<char> ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        const char32_t mapped = kHighControls[i] != 0 ? kHighControls[i] : char32_t(0x80 + i);
        if (mapped == cp) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::string CodePointText(char32_t cp) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp));
    return text;
}

// Decodes one UTF-8 sequence at pos; returns U+FFFD for malformed input.
char32_t DecodeUtf8(const std::string& s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos++]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (lead >= 0x80 && extra == 0) {
        return 0xFFFD;
    }
    // Smallest code point that needs 1, 2, 3 or 4 bytes: shorter forms are overlong.
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    const int length = extra;
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (; extra > 0; --extra) {
        if (pos >= s.size() || (static_cast<unsigned char>(s[pos]) & 0xC0) != 0x80) {
            return 0xFFFD;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(s[pos++]) & 0x3F);
    }
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    return (cp < kMinimum[length] || cp > 0x10FFFF || surrogate) ? char32_t(0xFFFD) : cp;
}

}  // namespace

std::string Cp1252ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Utf8ToCp1252(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        out += ByteOf(DecodeUtf8(utf8, pos)).value_or('?');
    }
    return out;
}

std::string Cp1252ToDisplayText(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const bool undefined = byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] == 0;
        AppendUtf8(out, undefined ? kReplacement : CodePointOf(byte));
    }
    return out;
}

std::vector<char32_t> CharactersOutsideCp1252(const std::string& utf8) {
    std::vector<char32_t> found;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = DecodeUtf8(utf8, pos);
        if (!ByteOf(cp) && std::find(found.begin(), found.end(), cp) == found.end()) {
            found.push_back(cp);
        }
    }
    return found;
}

std::string RemarkEncodingRefusal(const std::string& utf8) {
    const std::vector<char32_t> outside = CharactersOutsideCp1252(utf8);
    if (outside.empty()) {
        return {};
    }
    std::string names;
    for (char32_t cp : outside) {
        names += names.empty() ? "" : ", ";
        AppendUtf8(names, cp);
        names += " (" + CodePointText(cp) + ")";
    }
    return "Windows-1252 cannot hold " + names + "; the remark was not stored.";
}

}  // namespace qv

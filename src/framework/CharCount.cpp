#include "framework/CharCount.h"

namespace qv {

namespace {
bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

std::size_t CharCount(const std::string& utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        count += IsContinuation(c) ? 0 : 1;
    }
    return count;
}

std::string FirstChars(const std::string& utf8, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (!IsContinuation(utf8[i]) && seen++ == count) {
            return utf8.substr(0, i);
        }
    }
    return utf8;
}

}  // namespace qv

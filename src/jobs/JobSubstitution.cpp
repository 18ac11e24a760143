#include "jobs/JobSubstitution.h"

#include "jobs/JobNumber.h"

#include <optional>

namespace qv::jobs {

namespace {

constexpr int kMaxWidth = 9;

// The zero-padded width inside "{n...}", or nothing when it is not one of ours.
std::optional<int> WidthOf(const std::string& inside) {
    if (inside == "n") {
        return 0;
    }
    if (inside.size() == 4 && inside.compare(0, 3, "n:0") == 0 && inside[3] >= '1' &&
        inside[3] <= '0' + kMaxWidth) {
        return inside[3] - '0';
    }
    return std::nullopt;
}

}  // namespace

bool HasSubstitution(const std::string& text) {
    return text.find('{') != std::string::npos;
}

std::string CheckSubstitutions(const std::string& text) {
    for (std::size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1)) {
        const std::size_t close = text.find('}', at);
        if (close == std::string::npos || !WidthOf(text.substr(at + 1, close - at - 1))) {
            return "unknown substitution in \"" + Excerpt(text) + "\" (use {n} or {n:03})";
        }
    }
    if (text.find('}') != std::string::npos && text.find('{') == std::string::npos) {
        return "unknown substitution in \"" + Excerpt(text) + "\" (use {n} or {n:03})";
    }
    return {};
}

std::string Substitute(const std::string& text, long long counter) {
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = text.find('{'); at != std::string::npos; at = text.find('{', from)) {
        const std::size_t close = text.find('}', at);
        const int width = WidthOf(text.substr(at + 1, close - at - 1)).value_or(0);
        std::string digits = std::to_string(counter);
        if (static_cast<int>(digits.size()) < width) {
            digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
        }
        result += text.substr(from, at - from) + digits;
        from = close + 1;
    }
    return result + text.substr(from);
}

}  // namespace qv::jobs

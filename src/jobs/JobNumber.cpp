#include "jobs/JobNumber.h"

#include <charconv>

#include "framework/CharCount.h"

namespace qv::jobs {

namespace {

constexpr std::size_t kExcerptChars = 80;
// More digits than any count or wait of the language has.
constexpr std::size_t kMaxDigits = 12;

bool AllDigits(const std::string& text) {
    return !text.empty() && text.size() <= kMaxDigits &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::optional<double> JobNumber(const std::string& text, bool fraction, double max) {
    const std::size_t point = text.find('.');
    const bool wellFormed =
        point == std::string::npos
            ? AllDigits(text)
            : fraction && AllDigits(text.substr(0, point)) && AllDigits(text.substr(point + 1));
    if (!wellFormed) {
        return std::nullopt;
    }
    // Whatever the locale's decimal separator.
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value > max) {
        return std::nullopt;
    }
    return value;
}

std::string Excerpt(const std::string& text) {
    const std::string first = FirstChars(text, kExcerptChars);
    return first.size() == text.size() ? text : first + "...";
}

}  // namespace qv::jobs

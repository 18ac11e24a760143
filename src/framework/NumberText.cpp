#include "framework/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace qv {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string_view Trimmed(const std::string& text) {
    std::string_view view(text);
    const auto first = view.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    view.remove_prefix(first);
    view.remove_suffix(view.size() - view.find_last_not_of(kBlanks) - 1);
    return view;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Takes one leading sign; returns true for a minus.
bool TakeSign(std::string_view& view) {
    if (view.empty() || (view.front() != '+' && view.front() != '-')) {
        return false;
    }
    const bool negative = view.front() == '-';
    view.remove_prefix(1);
    return negative;
}

// Digits only, at least one; the magnitude saturates above 2^32 so the caller's
// range check refuses it.
std::optional<std::uint64_t> Magnitude(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    constexpr std::uint64_t kCeiling = std::uint64_t{1} << 33;
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        value = std::min(kCeiling, value * 10 + static_cast<std::uint64_t>(c - '0'));
    }
    return value;
}

}  // namespace

std::optional<std::int32_t> ParseInt32(const std::string& text) {
    std::string_view view = Trimmed(text);
    const bool negative = TakeSign(view);
    const auto magnitude = Magnitude(view);
    if (!magnitude) {
        return std::nullopt;
    }
    const std::int64_t value =
        negative ? -static_cast<std::int64_t>(*magnitude) : static_cast<std::int64_t>(*magnitude);
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::uint32_t> ParseUInt32(const std::string& text) {
    std::string_view view = Trimmed(text);
    if (TakeSign(view)) {
        return std::nullopt;
    }
    const auto magnitude = Magnitude(view);
    if (!magnitude || *magnitude > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*magnitude);
}

std::optional<float> ParseFloat(const std::string& text) {
    std::string_view view = Trimmed(text);
    const bool negative = TakeSign(view);
    if (view.empty() || view.front() == '+' || view.front() == '-') {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), value);
    if (error != std::errc() || end != view.data() + view.size() || !std::isfinite(value) ||
        std::fabs(value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(negative ? -value : value);
}

std::string FormatFloat(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

}  // namespace qv

#include "JsonNumbers.h"

#include <charconv>
#include <cmath>

namespace qv::tool {

std::string ShortestText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

nlohmann::ordered_json JsonNumber(float value) {
    if (!std::isfinite(value)) {
        return nullptr;  // JSON has no NaN or infinity
    }
    const std::string text = ShortestText(value);
    double parsed = 0;
    std::from_chars(text.data(), text.data() + text.size(), parsed);
    return parsed;
}

}  // namespace qv::tool

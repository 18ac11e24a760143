#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace qv::tool {

// A float as the shortest decimal that reads back to the same float, so that
// 1.4067f prints as 1.4067 and not as its double expansion.
std::string ShortestText(float value);
nlohmann::ordered_json JsonNumber(float value);
inline nlohmann::ordered_json JsonNumber(std::int32_t value) {
    return value;
}
inline nlohmann::ordered_json JsonNumber(std::uint32_t value) {
    return value;
}

inline std::string PlainText(float value) {
    return ShortestText(value);
}
inline std::string PlainText(std::int32_t value) {
    return std::to_string(value);
}
inline std::string PlainText(std::uint32_t value) {
    return std::to_string(value);
}

}  // namespace qv::tool

#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// The text forms of numbers in dialog boxes. Parsing allows blanks around the
// number and refuses anything else, and values that do not fit the type.
std::optional<std::int32_t> ParseInt32(const std::string& text);
// No minus sign: a negative entry is refused, never wrapped.
std::optional<std::uint32_t> ParseUInt32(const std::string& text);
// Finite values within the float range only.
std::optional<float> ParseFloat(const std::string& text);

// "%.*g" with 6 significant digits, independent of the process locale.
std::string FormatFloat(float value);

}  // namespace qv

#pragma once

#include <cstddef>
#include <string>

namespace qv {

// Control texts are UTF-8; text limits count characters, not bytes.
std::size_t CharCount(const std::string& utf8);
// The first count characters of utf8 (all of it when shorter).
std::string FirstChars(const std::string& utf8, std::size_t count);

}  // namespace qv

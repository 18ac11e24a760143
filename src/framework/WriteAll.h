#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace qv {

// Writes every byte to fd, going on after interrupted and partial writes;
// empty, or the reason in the user's words.
std::string WriteAll(int fd, std::span<const std::byte> bytes);

}  // namespace qv

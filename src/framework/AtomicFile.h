#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace qv {

// Both return an empty string on success, else the reason in the user's words.

// Reads the whole file into bytes.
std::string ReadWholeFile(const std::string& path, std::vector<std::byte>& bytes);

// Writes a temporary file beside the target, flushes it to disk and renames it
// over the target, so a failed write never destroys what was there before.
std::string WriteFileReplacing(const std::string& path, std::span<const std::byte> bytes);

}  // namespace qv

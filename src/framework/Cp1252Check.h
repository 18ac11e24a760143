#pragma once

#include <string>
#include <vector>

namespace qv {

// The characters of a UTF-8 text that Windows-1252 cannot hold, each once, in
// the order they first appear; a malformed byte is named as U+FFFD. Empty when
// the whole text can be stored.
std::vector<std::string> CharactersOutsideCp1252(const std::string& utf8);

}  // namespace qv

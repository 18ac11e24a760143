#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace qv::jobs {

// The JSON text of value. File names, job lines and remarks are bytes, not
// always UTF-8: a sequence that is not valid UTF-8 becomes U+FFFD instead of
// ending the program. indent -1 writes one line.
std::string JsonText(const nlohmann::ordered_json& value, int indent = -1);

}  // namespace qv::jobs

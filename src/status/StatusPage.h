#pragma once

#include <string_view>

namespace qv {

// The one HTML page of the status server: self-contained (no external
// scripts, fonts or styles), it fetches /status.json every few seconds and
// reloads the pictures when a new capture has come, without reloading itself.
std::string_view StatusPageHtml();

}  // namespace qv

#pragma once

#include <optional>
#include <string>

namespace qv {

// Where the status page listens: loopback unless told otherwise, and then
// only with a token that every request must carry.
struct StatusOptions {
    std::optional<int> port;  // none: no page; 0: any free port
    std::string bind = "127.0.0.1";
    bool bindGiven = false;
    std::string token;  // empty: no token asked for
};

// Empty when the three options fit together, else what is wrong, as the
// command line says it.
std::string CheckStatusOptions(const StatusOptions& options);
// The port of --status-port's text, 0 to 65535; nothing when it is not one.
std::optional<int> ParseStatusPort(const std::string& text);

}  // namespace qv

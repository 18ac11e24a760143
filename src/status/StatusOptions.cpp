#include "status/StatusOptions.h"

#include <charconv>

namespace qv {

std::optional<int> ParseStatusPort(const std::string& text) {
    int port = -1;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, port);
    if (text.empty() || error != std::errc{} || stop != end || port < 0 || port > 65535) {
        return std::nullopt;
    }
    return port;
}

std::string CheckStatusOptions(const StatusOptions& options) {
    if (!options.port && (options.bindGiven || !options.token.empty())) {
        return "--status-bind and --status-token need --status-port";
    }
    if (options.bindGiven && options.token.empty()) {
        return "--status-bind needs --status-token: a page beyond this computer must ask for it";
    }
    if (options.bindGiven && options.bind.empty()) {
        return "--status-bind needs an address";
    }
    return {};
}

}  // namespace qv

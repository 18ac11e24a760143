#include "status/StatusOptions.h"

#include <charconv>

namespace qv {

const char* const kStatusOptionsHelp =
    "  --status-port PORT  serve a read-only status page of the run on PORT\n"
    "                      (0: any free port), on 127.0.0.1 unless --status-bind\n"
    "  --status-bind ADDR  listen on ADDR instead; needs --status-token\n"
    "  --status-token TOKEN  every request must carry TOKEN (?token=TOKEN or\n"
    "                      the header Authorization: Bearer TOKEN), else 401\n";

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

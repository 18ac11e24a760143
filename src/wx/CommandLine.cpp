#include "CommandLine.h"

#include <charconv>

namespace qv {
namespace {

bool ParsePositive(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value > 0;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    for (size_t i = 0; i < args.size() && result.error.empty(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--simulate") {
            result.simulate = true;
        } else if (arg == "--sim-speed") {
            if (i + 1 >= args.size() || !ParsePositive(args[++i], result.simSpeed))
                result.error = "--sim-speed needs a positive whole number";
        } else if (arg.size() > 1 && arg.front() == '-') {
            result.error = "unknown option " + arg;
        } else if (result.fileName) {
            result.error = "only one data file can be opened";
        } else {
            result.fileName = arg;
        }
    }
    return result;
}

}  // namespace qv

#include "CommandLine.h"

#include <charconv>

#include "ProgramVersion.h"

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
        if (arg == "--help" || arg == "-h") {
            result.help = true;
        } else if (arg == "--version") {
            result.version = true;
        } else if (arg == "--simulate") {
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

std::string Usage() {
    return "usage: qv [--simulate] [--sim-speed N] [FILE.qv]\n"
           "       qv --help | --version\n"
           "\n"
           "The operator's program for the Moessbauer spectrometer. FILE.qv opens that\n"
           "measurement; without it qv starts with an empty one.\n"
           "\n"
           "  --simulate       talk to a virtual spectrometer instead of the card\n"
           "  --sim-speed N    let the virtual spectrometer's time run N times as fast\n"
           "                   (a positive whole number; 1 by default)\n"
           "  -h, --help       print this text and exit\n"
           "  --version        print the version and exit\n"
           "\n"
           "Without a display, qvtool works on data files from the command line.\n";
}

std::string VersionText() {
    return std::string("qv ") + kProgramVersion + "\n";
}

}  // namespace qv

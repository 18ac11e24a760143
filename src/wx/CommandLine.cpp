#include "CommandLine.h"

#include <charconv>
#include <cstdint>

#include "simulator/BenchOptions.h"

#include "ProgramVersion.h"

namespace qv {
namespace {

bool ParsePositive(const std::string& text, std::uint32_t& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && value > 0;
}

// Reads the value of an option that takes one; empty, or why not.
class Arguments {
public:
    explicit Arguments(const std::vector<std::string>& args) : m_args(args) {}
    bool More() const { return m_next < m_args.size(); }
    const std::string& Next() { return m_args[m_next++]; }
    bool Value(std::string& value) {
        if (!More())
            return false;
        value = Next();
        return true;
    }

private:
    const std::vector<std::string>& m_args;
    std::size_t m_next = 0;
};

// The options of the virtual card and the trace; false when arg is none of them.
bool ParseCardOption(const std::string& arg, Arguments& args, CommandLine& result,
                     bool& benchOption) {
    CardLink::Choice& card = result.card;
    std::string value;
    if (arg == "--simulate") {
        card.simulate = true;
    } else if (arg == "--sim-speed") {
        if (!args.Value(value) || !ParsePositive(value, card.simulationSpeed))
            result.error = "--sim-speed needs a positive whole number";
    } else if (arg == "--sim-locked") {
        card.faults.locked = true;
        benchOption = true;
    } else if (arg == "--sim-fault") {
        if (!args.Value(value))
            result.error = std::string("--sim-fault needs one of ") + sim::kCardFaultNames;
        else if (const std::string why = sim::AddCardFault(value, card.faults); !why.empty())
            result.error = "--sim-fault: " + why;
        benchOption = true;
    } else if (arg == "--sim-rate") {
        double rate = 0;
        if (!args.Value(value))
            result.error = "--sim-rate needs a source rate in pulses per second";
        else if (const std::string why = sim::ParseSourceRate(value, rate); !why.empty())
            result.error = "--sim-rate " + why;
        card.sourceRate = rate;
        benchOption = true;
    } else if (arg == "--trace") {
        if (!args.Value(value) || value.empty())
            result.error = "--trace needs a file name";
        card.tracePath = value;
    } else {
        return false;
    }
    return true;
}

// The status page's three options; false when arg is none of them.
bool ParseStatusOption(const std::string& arg, Arguments& args, CommandLine& result) {
    StatusOptions& status = result.status;
    std::string value;
    if (arg == "--status-port") {
        status.port = args.Value(value) ? ParseStatusPort(value) : std::nullopt;
        if (!status.port)
            result.error = "--status-port needs a port number from 0 to 65535";
    } else if (arg == "--status-bind") {
        if (!args.Value(status.bind) || status.bind.empty())
            result.error = "--status-bind needs an address";
        status.bindGiven = true;
    } else if (arg == "--status-token") {
        if (!args.Value(status.token) || status.token.empty())
            result.error = "--status-token needs a token";
    } else {
        return false;
    }
    return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& list) {
    CommandLine result;
    Arguments args(list);
    bool benchOption = false;
    while (args.More() && result.error.empty()) {
        const std::string& arg = args.Next();
        if (arg == "--help" || arg == "-h") {
            result.help = true;
        } else if (arg == "--version") {
            result.version = true;
        } else if (arg == "--resume") {
            result.resume = true;
        } else if (ParseCardOption(arg, args, result, benchOption)) {
        } else if (ParseStatusOption(arg, args, result)) {
        } else if (arg == "--log") {
            std::string value;
            if (!args.Value(value) || value.empty())
                result.error = "--log needs a file name";
            result.logPath = value;
        } else if (arg.size() > 1 && arg.front() == '-') {
            result.error = "unknown option " + arg;
        } else if (result.fileName) {
            result.error = "only one data file can be opened";
        } else {
            result.fileName = arg;
        }
    }
    if (result.error.empty() && benchOption && !result.card.simulate)
        result.error = "--sim-locked, --sim-fault and --sim-rate need --simulate";
    if (result.error.empty())
        result.error = CheckStatusOptions(result.status);
    return result;
}

std::string Usage() {
    return std::string(
               "usage: qv [--simulate [--sim-speed N] [--sim-locked] [--sim-fault KIND[=N]]...\n"
               "          [--sim-rate R]] [--trace FILE] [--log FILE] [--resume]\n"
               "          [--status-port PORT [--status-bind ADDR --status-token TOKEN]]\n"
               "          [FILE.qv]\n"
               "       qv --help | --version\n"
               "\n"
               "The operator's program for the Moessbauer spectrometer. FILE.qv opens that\n"
               "measurement; without it qv starts with an empty one.\n"
               "\n"
               "  --simulate       talk to a virtual spectrometer instead of the card\n"
               "  --sim-speed N    let the virtual spectrometer's time run N times as fast\n"
               "                   (a positive whole number; 1 by default)\n"
               "  --sim-locked     the virtual card's front-panel key is turned (locked)\n"
               "  --sim-fault KIND[=N]\n"
               "                   the virtual card misbehaves; KIND is one of\n"
               "                   absent (no card answers), stall-bytes=N (stops answering\n"
               "                   after N handshake bytes), stall-words=N (after N spectrum\n"
               "                   words), gone-words=N (vanishes after N spectrum words),\n"
               "                   clear-never (a clear is never confirmed); may be repeated\n"
               "  --sim-rate R     source pulses per second at the virtual detector\n"
               "                   (") +
           sim::kSourceRateRange +
           "; 20000 by default)\n"
           "  --trace FILE     write one line per exchange with the card to FILE\n"
           "  --log FILE       append one line per capture to the run log FILE (by\n"
           "                   default NAME.log.csv beside the data file NAME.qv)\n"
           "  --status-port PORT\n"
           "                   serve a read-only status page of the run (figures,\n"
           "                   pictures, the saved file) on PORT, 0 for any free one;\n"
           "                   on 127.0.0.1 unless --status-bind names another address\n"
           "  --status-bind ADDR\n"
           "                   listen on ADDR instead; needs --status-token\n"
           "  --status-token TOKEN\n"
           "                   every request must carry TOKEN (?token=TOKEN or the\n"
           "                   header Authorization: Bearer TOKEN), else it gets 401\n"
           "  --resume         when qv ended while autosaving, open that file and go on\n"
           "                   autosaving as before without asking (for a login script)\n"
           "  -h, --help       print this text and exit\n"
           "  --version        print the version and exit\n"
           "\n"
           "Without a display, qvtool works on data files from the command line.\n";
}

std::string VersionText() {
    return std::string("qv ") + kProgramVersion + "\n";
}

}  // namespace qv

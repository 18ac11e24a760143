#include "simulator/BenchOptions.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace qv::sim {

namespace {

std::optional<std::uint64_t> ParseCount(const std::string& text) {
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

// The faults that need a count, and where it goes.
std::optional<std::uint64_t>* CountedFault(const std::string& kind, CardFaults& faults) {
    if (kind == "stall-bytes") {
        return &faults.silentAfterBytes;
    }
    if (kind == "stall-words") {
        return &faults.silentAfterWords;
    }
    if (kind == "gone-words") {
        return &faults.goneAfterWords;
    }
    return nullptr;
}

bool* PlainFault(const std::string& kind, CardFaults& faults) {
    if (kind == "absent") {
        return &faults.absent;
    }
    if (kind == "clear-never") {
        return &faults.clearsNeverFinish;
    }
    return nullptr;
}

}  // namespace

std::string AddCardFault(const std::string& text, CardFaults& faults) {
    const std::size_t equals = text.find('=');
    const std::string kind = text.substr(0, equals);
    if (bool* flag = PlainFault(kind, faults)) {
        if (equals != std::string::npos) {
            return "the fault " + kind + " takes no count";
        }
        *flag = true;
        return {};
    }
    std::optional<std::uint64_t>* counted = CountedFault(kind, faults);
    if (counted == nullptr) {
        return "unknown fault " + text + " (one of " + kCardFaultNames + ")";
    }
    const std::optional<std::uint64_t> count =
        equals == std::string::npos ? std::nullopt : ParseCount(text.substr(equals + 1));
    if (!count) {
        return "the fault " + kind + " needs a count: " + kind + "=N";
    }
    *counted = count;
    return {};
}

std::string ParseSourceRate(const std::string& text, double& rate) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' ||
        !(value >= kMinSourceRate && value <= kMaxSourceRate)) {
        return std::string("must be from ") + kSourceRateRange + " pulses per second, not " + text;
    }
    rate = value;
    return {};
}

}  // namespace qv::sim

#include "analysis/SpectrumChoice.h"

#include <array>

namespace qv::analysis {

namespace {

struct Entry {
    const char* option;
    const char* name;
    SpectrumChoice choice;
};

constexpr std::array<Entry, 5> kEntries = {
    {{"qv1", "Qv1", SpectrumChoice::Qv1},
     {"qv2", "Qv2", SpectrumChoice::Qv2},
     {"anticoinc", "AaAntiCoinc", SpectrumChoice::AaAntiCoinc},
     {"coinc", "AaCoinc", SpectrumChoice::AaCoinc},
     {"sum", "AaSum", SpectrumChoice::AaSum}}};

}  // namespace

std::optional<SpectrumChoice> ParseSpectrumChoice(const std::string& name) {
    for (const Entry& e : kEntries) {
        if (name == e.option) {
            return e.choice;
        }
    }
    return std::nullopt;
}

const char* SpectrumName(SpectrumChoice choice) {
    return kEntries[static_cast<std::size_t>(choice)].name;
}

std::vector<std::uint32_t> SpectrumCounts(const Measurement& m, SpectrumChoice choice) {
    switch (choice) {
        case SpectrumChoice::Qv1:
            return {m.Qv1.begin(), m.Qv1.end()};
        case SpectrumChoice::Qv2:
            return {m.Qv2.begin(), m.Qv2.end()};
        case SpectrumChoice::AaAntiCoinc:
            return {m.AaAntiCoinc().begin(), m.AaAntiCoinc().end()};
        case SpectrumChoice::AaCoinc:
            return {m.AaCoinc().begin(), m.AaCoinc().end()};
        case SpectrumChoice::AaSum:
            break;
    }
    std::vector<std::uint32_t> sum(kChannels);
    for (std::size_t c = 0; c < kChannels; ++c) {
        sum[c] = m.AaSum(c);
    }
    return sum;
}

}  // namespace qv::analysis

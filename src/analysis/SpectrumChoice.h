#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/Measurement.h"

namespace qv::analysis {

enum class SpectrumChoice { Qv1, Qv2, AaAntiCoinc, AaCoinc, AaSum };

// "qv1", "qv2", "anticoinc", "coinc", "sum", as qvtool takes them.
std::optional<SpectrumChoice> ParseSpectrumChoice(const std::string& name);
// "Qv1", "Qv2", "AaAntiCoinc", "AaCoinc", "AaSum", as files and JSON name them.
const char* SpectrumName(SpectrumChoice choice);
std::vector<std::uint32_t> SpectrumCounts(const Measurement& m, SpectrumChoice choice);

}  // namespace qv::analysis

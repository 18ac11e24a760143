#pragma once

#include <string>

#include "simulator/FaultInjection.h"

namespace qv::sim {

// The training bench's options as an operator types them (qv --sim-fault,
// qvtool ... --sim-fault), so every program names the faults alike.
//   absent             nothing on the bus: every transfer fails as without a card
//   stall-bytes=N      the card stops answering after N handshake bytes
//   stall-words=N      the card stops answering after N spectrum words
//   gone-words=N       the card vanishes (empty bus) after N spectrum words
//   clear-never        a clear is never confirmed
// Adds the fault to faults; returns an empty text, or why text was refused.
std::string AddCardFault(const std::string& text, CardFaults& faults);

// The KIND[=N] forms above, for usage texts.
inline constexpr const char* kCardFaultNames =
    "absent, stall-bytes=N, stall-words=N, gone-words=N, clear-never";

inline constexpr double kMinSourceRate = 1.0;
inline constexpr double kMaxSourceRate = 1.0e7;
inline constexpr const char* kSourceRateRange = "1 to 10000000";
// Reads a source rate in pulses per second; returns an empty text, or why
// text was refused.
std::string ParseSourceRate(const std::string& text, double& rate);

}  // namespace qv::sim

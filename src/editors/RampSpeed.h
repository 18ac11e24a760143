#pragma once

#include <cstdint>

namespace qv {

class CDataExchange;

// A ramp's updating speed in steps of 5 ms. The box and its spin take 1..15,
// the register field (speed - 1 in a nibble) holds 1..16; 16 changes at once.
inline constexpr std::int32_t kMinRampSpeed = 1;
inline constexpr std::int32_t kMaxBoxRampSpeed = 15;
inline constexpr std::int32_t kImmediateRampSpeed = 16;

// The range check of a speed box. A 16 (a card set to immediate change shows
// it) reaches its field unchanged, so it is not refused: the range message
// for 1..15 is told and the speed is written. Anything else outside 1..15
// would travel as another speed and is refused.
void DDV_RampSpeed(CDataExchange& dx, std::int32_t speed);

}  // namespace qv

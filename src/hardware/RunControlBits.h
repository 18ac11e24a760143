#pragma once

#include <cstdint>

namespace qv {

// The run-control pair (written with command 3) and the run-state pair (read
// with command 2), as the program sends and reads them.

// Control byte 0: the two spectrum memories.
inline constexpr std::uint8_t kClearQv2 = 0xC0;  // both bits together
inline constexpr std::uint8_t kCountQv2 = 0x20;
inline constexpr std::uint8_t kGoQv2 = 0x10;
inline constexpr std::uint8_t kClearQv1 = 0x0C;  // both bits together
inline constexpr std::uint8_t kCountQv1 = 0x02;
inline constexpr std::uint8_t kGoQv1 = 0x01;
// Control byte 1: the amplitude analyser.
inline constexpr std::uint8_t kGoAa = 0x08;
inline constexpr std::uint8_t kCountAa = 0x04;
inline constexpr std::uint8_t kClearAa = 0x03;  // both bits together

// The idle pattern: one bit of each clear field, which arms the next clear.
inline constexpr std::uint8_t kIdleControl0 = 0x88;
inline constexpr std::uint8_t kIdleControl1 = 0x02;

// State byte 0.
inline constexpr std::uint8_t kQv2ClearDone = 0xC0;  // both bits
inline constexpr std::uint8_t kQv2Counting = 0x10;
inline constexpr std::uint8_t kQv1ClearDone = 0x0C;  // both bits
inline constexpr std::uint8_t kQv1Counting = 0x01;
// State byte 1.
inline constexpr std::uint8_t kAaCounting = 0x04;
inline constexpr std::uint8_t kAaClearDone = 0x02;
inline constexpr std::uint8_t kNeedsIdle = 0x01;  // write the idle pattern again

}  // namespace qv

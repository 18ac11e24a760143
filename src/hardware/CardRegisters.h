#pragma once

#include <cstdint>

namespace qv {

// The card's four ports, as offsets from the configured port base.
inline constexpr std::uint16_t kCommandPortOffset = 0;  // write: command and payload bytes
inline constexpr std::uint16_t kReplyPortOffset = 1;    // read: reply payload bytes
inline constexpr std::uint16_t kDataPortOffset = 2;     // read: spectrum words, LSB first
inline constexpr std::uint16_t kStatusPortOffset = 3;   // read: status register
inline constexpr std::uint16_t kCardPortCount = 4;

// Status register. The high nibble is a fixed signature so that an empty bus,
// which floats to 0xFF, never looks ready.
inline constexpr std::uint8_t kStatusSignatureMask = 0xF0;
inline constexpr std::uint8_t kStatusSignature = 0x50;
inline constexpr std::uint8_t kStatusWord = 0x08;   // a spectrum word is latched
inline constexpr std::uint8_t kStatusRxf = 0x04;    // a reply byte is waiting
inline constexpr std::uint8_t kStatusTxe = 0x02;    // the card takes a written byte
inline constexpr std::uint8_t kStatusReady = 0x01;  // the card takes a command byte

constexpr bool IsValidStatus(std::uint8_t status) {
    return (status & kStatusSignatureMask) == kStatusSignature;
}

}  // namespace qv

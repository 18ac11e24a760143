#pragma once

#include <cstdint>

namespace qv {

// The spectrometer's command codes: one command byte, then a fixed payload.
enum CardCommand : std::uint8_t {
    kCmdReadRunState = 2,       // read 2: run-state pair
    kCmdWriteRunControl = 3,    // write 2: run-control pair, or readout request
    kCmdReadStatus = 4,         // read 1: status byte; read 23: status + live counters
    kCmdWriteCounters = 5,      // write 25: counters and timers registers
    kCmdReadCounterStarts = 6,  // read 22: counter start values and rates
    kCmdReadAnalogue = 8,       // read 15: R0..R14
    kCmdWriteAnalogue = 9,      // write 17: 0xFF, 0xFF, R0..R14
    kCmdReadHighVoltage = 10,   // read 4
    kCmdWriteHighVoltage = 11,  // write 4
    kCmdReadVibrator = 12,      // read 12: R0..R11
    kCmdWriteVibrator = 13,     // write 12
    kCmdReadDividers = 14,      // read 2: K, L
    kCmdWriteDividers = 15,     // write 2: K, L
    kCmdWriteReference = 16,    // write 16384: reference table
    kCmdLockCheck = 17,         // read 0: only the status byte
    kCmdReadAux = 18,           // read 5
    kCmdWriteAux = 19,          // write 5
    kCmdReadDac = 20,           // read 1
    kCmdWriteDac = 21,          // write 1
};

// Payload lengths.
inline constexpr int kRunStateLength = 2;
inline constexpr int kRunControlLength = 2;
inline constexpr int kStatusLength = 1;
inline constexpr int kLiveCountersLength = 23;
inline constexpr int kCountersWriteLength = 25;
inline constexpr int kCounterStartsLength = 22;
inline constexpr int kAnalogueReadLength = 15;
inline constexpr int kAnalogueWriteLength = 17;
inline constexpr int kHighVoltageLength = 4;
inline constexpr int kVibratorLength = 12;
inline constexpr int kDividersLength = 2;
inline constexpr int kReferenceLength = 16384;
inline constexpr int kAuxLength = 5;
inline constexpr int kDacLength = 1;

// Readout selectors: the second payload byte of a command-3 readout request.
enum ReadoutSelector : std::uint8_t {
    kSelectAa = 0x40,   // 8192 words: Aa anticoincidence, then coincidence
    kSelectQv1 = 0x60,  // 4096 words
    kSelectQv2 = 0x70,  // 4096 words
};

// Status byte bits.
inline constexpr std::uint8_t kStatusLocked = 0x80;
inline constexpr std::uint8_t kStatusULock = 0x40;

}  // namespace qv

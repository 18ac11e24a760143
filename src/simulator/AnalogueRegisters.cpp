#include "simulator/AnalogueRegisters.h"

#include <algorithm>

namespace qv::sim {

namespace {

// Power-up: input A, gain 63, 1 us shaping, the single-channel window around
// the 14.4 keV line at the power-up high voltage, the whole range analysed.
constexpr std::array<std::uint8_t, AnalogueRegisters::kSize> kPowerUp = {
    0x11,           // R0: trigger tau 0.47 us, signal tau 1 us, input A
    63 << 1,        // R1: gain 63
    0xFF,    0x03,  // amplitude analyser upper limit 1023
    0x00,    0x00,  // lower limit 0
    0x98,    0x08,  // single-channel upper limit 2200
    0x08,    0x07,  // lower limit 1800
    40,      0x00,  // trigger level 40
    0x70,           // base capture delay 7
    21,             // peak capture delay
    43,             // pile-on-tile rejection
};

// Signal tau by its two-bit code: the codes do not follow the value order.
constexpr double kSignalTauByCode[] = {4.7, 1.0, 2.2, 0.47};

}  // namespace

AnalogueRegisters::AnalogueRegisters() : m_r(kPowerUp) {}

void AnalogueRegisters::Write(std::span<const std::uint8_t, kWriteSize> payload) {
    std::copy(payload.begin() + 2, payload.end(), m_r.begin());
}

double AnalogueRegisters::SignalTauMicroseconds() const {
    return kSignalTauByCode[(m_r[0] >> 4) & 0x03];
}

}  // namespace qv::sim

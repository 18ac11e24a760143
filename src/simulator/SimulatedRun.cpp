#include "simulator/SimulatedRun.h"

#include <array>
#include <string>

#include "hardware/CommandCodes.h"
#include "simulator/ReferenceTable.h"

namespace qv::sim {

namespace {

// Input A, gain 63, signal tau 1 us, trigger level 40, the whole amplitude
// range analysed, the single-channel window 1850..2150 around the 14.4 keV
// line, capture settings of the 1 us preset.
constexpr std::array<std::uint8_t, kAnalogueWriteLength> kAnalogue = {
    0xFF, 0xFF, 0x11, 63 << 1, 0xFF, 0x03, 0x00, 0x00, 0x66,
    0x08, 0x3A, 0x07, 40,      0x00, 0x70, 21,   43};
// Desired 600 at once (speed 16); the current value is kept.
constexpr std::array<std::uint8_t, kHighVoltageLength> kHighVoltage = {0x00, 0xC0, 0x58, 0xF2};
// Gain 512, amplitude 80 in the high range, bias 0, all at once.
constexpr std::array<std::uint8_t, kVibratorLength> kVibrator = {
    0x00, 0xC0, 0x00, 0xF2, 0x00, 0xC0, 80, 0xF4, 0x00, 0xC8, 0x00, 0xF8};
// K 0, L 240: 5.72 sweeps per second.
constexpr std::array<std::uint8_t, kDividersLength> kDividers = {0, 240};

constexpr std::uint8_t kIdle0 = 0x88;
constexpr std::uint8_t kIdle1 = 0x02;
constexpr std::uint32_t kClearLimitMs = 1000;
constexpr std::uint32_t kRunLimitMs = 11000;

}  // namespace

int SimulatedRun::Configure() {
    if (const int result = WriteBlocks()) {
        return result;
    }
    if (const int result = WriteReference()) {
        return result;
    }
    return WriteCounters();
}

int SimulatedRun::WriteBlocks() {
    if (const int r =
            m_port.WriteCommand(kCmdWriteAnalogue, kAnalogue.data(), kAnalogueWriteLength)) {
        return r;
    }
    if (const int r =
            m_port.WriteCommand(kCmdWriteHighVoltage, kHighVoltage.data(), kHighVoltageLength)) {
        return r;
    }
    if (const int r = m_port.WriteCommand(kCmdWriteVibrator, kVibrator.data(), kVibratorLength)) {
        return r;
    }
    return m_port.WriteCommand(kCmdWriteDividers, kDividers.data(), kDividersLength);
}

int SimulatedRun::WriteReference() {
    const auto table = ReferenceTable::Triangle();
    const auto wire = ReferenceTable::Encode(table);
    if (const int r = m_port.WriteCommand(kCmdWriteReference, wire.data(), kReferenceLength)) {
        return r;
    }
    std::string lockText;
    return m_port.StatusReadCommand(kCmdLockCheck, nullptr, 0, lockText);
}

int SimulatedRun::WriteCounters() {
    std::array<std::uint8_t, kCountersWriteLength> b{};
    b[0] = 0x7F;  // take the settings, restart the backup countdown
    b[1] = 0xFC;  // set time and both stop counters, zero live/dead, clear switch
    b[2] = 0x10;  // Qv1 local detector, Qv2 aux detector, Aa on universal time
    b[3] = static_cast<std::uint8_t>(599);
    b[4] = static_cast<std::uint8_t>(599 >> 8);
    for (std::size_t i = 8; i < 19; ++i) {
        b[i] = 0xFF;  // seconds and cycles to stop: as many as the counters hold
    }
    b[8] = 0xFE;
    b[11] = b[15] = 0xFD;
    return m_port.WriteCommand(kCmdWriteCounters, b.data(), kCountersWriteLength);
}

int SimulatedRun::ClearAndStart() {
    if (const int r = Clear()) {
        return r;
    }
    return Start();
}

int SimulatedRun::Clear() {
    if (const int r = IdleHandshake()) {
        return r;
    }
    if (const int r = WriteRunControl(0xCC, 0x03)) {
        return r;
    }
    if (const int r = AwaitState(0xCC, 0x02, true, kClearLimitMs)) {
        return r;
    }
    return IdleHandshake();
}

int SimulatedRun::Start() {
    // Count and go for all three memories.
    if (const int r = WriteRunControl(0x33, 0x0C)) {
        return r;
    }
    return AwaitState(0x11, 0x04, true, kRunLimitMs);
}

void SimulatedRun::Wait(std::uint32_t seconds) {
    for (std::uint32_t s = 0; s < seconds; ++s) {
        m_clock.Advance(1000);
    }
}

int SimulatedRun::Stop() {
    if (const int r = WriteRunControl(0x11, 0x08)) {
        return r;
    }
    return AwaitState(0x11, 0x04, false, kRunLimitMs);
}

int SimulatedRun::Read(std::uint32_t* aa, std::uint32_t* qv1, std::uint32_t* qv2) {
    if (const int r = m_port.ReadSpectrum(kSelectAa, aa)) {
        return r;
    }
    if (const int r = m_port.ReadSpectrum(kSelectQv1, qv1)) {
        return r;
    }
    return m_port.ReadSpectrum(kSelectQv2, qv2);
}

int SimulatedRun::IdleHandshake() {
    if (const int r = WriteRunControl(kIdle0, kIdle1)) {
        return r;
    }
    // State byte 1 bit 0 asks for the idle pattern once more.
    for (std::uint32_t ms = 0; ms < kClearLimitMs; ++ms) {
        std::array<std::uint8_t, kRunStateLength> state{};
        if (const int r = m_port.ReadCommand(kCmdReadRunState, state.data(), kRunStateLength)) {
            return r;
        }
        if ((state[1] & 0x01) == 0) {
            return 0;
        }
        m_clock.Advance(1);
        if (const int r = WriteRunControl(kIdle0, kIdle1)) {
            return r;
        }
    }
    return kNotConfirmed;
}

int SimulatedRun::WriteRunControl(std::uint8_t control0, std::uint8_t control1) {
    const std::uint8_t pair[] = {control0, control1};
    return m_port.WriteCommand(kCmdWriteRunControl, pair, kRunControlLength);
}

int SimulatedRun::AwaitState(std::uint8_t mask0, std::uint8_t mask1, bool set,
                             std::uint32_t limitMs) {
    for (std::uint32_t ms = 0; ms <= limitMs; ++ms) {
        std::array<std::uint8_t, kRunStateLength> state{};
        if (const int r = m_port.ReadCommand(kCmdReadRunState, state.data(), kRunStateLength)) {
            return r;
        }
        const bool all = (state[0] & mask0) == mask0 && (state[1] & mask1) == mask1;
        const bool none = (state[0] & mask0) == 0 && (state[1] & mask1) == 0;
        if (set ? all : none) {
            return 0;
        }
        m_clock.Advance(1);
    }
    return kNotConfirmed;
}

}  // namespace qv::sim

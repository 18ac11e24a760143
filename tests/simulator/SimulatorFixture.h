#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"
#include "hardware/HardwareGlobals.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv::sim {

// A virtual card installed as the process's card, with a clock that moves only
// when a test says so, and a port object to talk to it.
class SimulatorTest : public ::testing::Test {
protected:
    void SetUp() override { Install({}); }
    void TearDown() override { HardwareGlobals::Instance().Reset(); }

    void Install(const VirtualSpectrometerOptions& options) {
        HardwareGlobals::Instance().Reset();
        m_card = std::make_unique<VirtualSpectrometer>(m_clock, options);
        HardwareGlobals::Instance().SetBus(*m_card);
        HardwareGlobals::Instance().SetClock(m_clock);
        m_port = std::make_unique<CHardwarePort>();
    }

    std::vector<std::uint8_t> Read(std::uint8_t cmd, int length, int expectedError = 0) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
        EXPECT_EQ(m_port->ReadCommand(cmd, bytes.data(), length), expectedError);
        return bytes;
    }
    void Write(std::uint8_t cmd, std::vector<std::uint8_t> bytes) {
        EXPECT_EQ(m_port->WriteCommand(cmd, bytes.data(), static_cast<int>(bytes.size())), 0);
    }
    void RunControl(std::uint8_t control0, std::uint8_t control1) {
        Write(kCmdWriteRunControl, {control0, control1});
    }
    std::array<std::uint8_t, 2> RunState() {
        const auto s = Read(kCmdReadRunState, kRunStateLength);
        return {s[0], s[1]};
    }
    std::uint8_t Status() { return Read(kCmdReadStatus, kStatusLength)[0]; }
    // The live counters (B2..B24) or the start values (B25..B46).
    std::vector<std::uint8_t> LiveCounters() { return Read(kCmdReadStatus, kLiveCountersLength); }
    std::vector<std::uint8_t> StartValues() {
        return Read(kCmdReadCounterStarts, kCounterStartsLength);
    }
    void AdvanceMs(std::uint32_t ms) { m_clock.Advance(ms); }
    void AdvanceSeconds(std::uint32_t s) { m_clock.Advance(1000 * s); }

    // Polls the run-state pair a millisecond apart until pred holds; the
    // milliseconds it took, or -1.
    template <typename Pred>
    int PollState(Pred pred, int limitMs = 2000) {
        for (int ms = 0; ms <= limitMs; ++ms) {
            if (pred(RunState())) {
                return ms;
            }
            AdvanceMs(1);
        }
        return -1;
    }

    std::vector<std::uint32_t> Spectrum(std::uint8_t selector, int expectedError = 0) {
        std::vector<std::uint32_t> words(selector == kSelectAa ? 8192 : 4096, 0xDEADBEEF);
        EXPECT_EQ(m_port->ReadSpectrum(selector, words.data()), expectedError);
        return words;
    }

    ManualTickClock m_clock;
    std::unique_ptr<VirtualSpectrometer> m_card;
    std::unique_ptr<CHardwarePort> m_port;
};

// The counters write with the settings taken (B0 bits 6..1), no requests.
inline std::vector<std::uint8_t> CountersWrite(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    std::vector<std::uint8_t> b(kCountersWriteLength, 0);
    b[0] = b0;
    b[1] = b1;
    b[2] = b2;
    b[3] = 599 & 0xFF;
    b[4] = 599 >> 8;
    b[8] = 0xFE;
    b[9] = b[10] = 0xFF;
    for (int i = 11; i < 19; ++i) {
        b[i] = 0xFF;
    }
    b[11] = b[15] = 0xFD;
    return b;
}

inline std::uint32_t Field(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t n) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < n; ++i) {
        v |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
    }
    return v;
}

}  // namespace qv::sim

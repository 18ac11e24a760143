#pragma once

#include <cstdint>

#include "hardware/CHardwarePort.h"
#include "hardware/TickClock.h"

namespace qv::sim {

// A measurement on the virtual card driven through the command set, the way
// an operator would: set the card up, clear and start the three memories, let
// time pass, stop and read out. The clock is advanced by hand between polls,
// so a run takes no real time. Every step returns 0 or the failing transfer's
// error number (kNotConfirmed when the card never confirmed a step).
class SimulatedRun {
public:
    static constexpr int kNotConfirmed = 255;

    explicit SimulatedRun(ManualTickClock& clock) : m_clock(clock) {}

    // Analogue block, high voltage, vibrator, dividers, the plain triangle
    // reference and the counters (Qv1 from the local detector, Qv2 from the
    // aux detector, no cycle or time limit).
    int Configure();
    int ClearAndStart();
    // The two halves of ClearAndStart.
    int Clear();
    int Start();
    void Wait(std::uint32_t seconds);
    // Stops at the end of the running sweep, so every channel saw as many.
    int Stop();
    // aa: 8192 words (anticoincidence, coincidence); qv1 and qv2: 4096 each.
    int Read(std::uint32_t* aa, std::uint32_t* qv1, std::uint32_t* qv2);

    CHardwarePort& Port() { return m_port; }

private:
    int WriteBlocks();
    int WriteReference();
    int WriteCounters();
    int IdleHandshake();
    int WriteRunControl(std::uint8_t control0, std::uint8_t control1);
    // Polls the run-state pair, a millisecond apart, until it shows 'bits'
    // set (mask) or clear.
    int AwaitState(std::uint8_t mask0, std::uint8_t mask1, bool set, std::uint32_t limitMs);

    ManualTickClock& m_clock;
    CHardwarePort m_port;
};

}  // namespace qv::sim

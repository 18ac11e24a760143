#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "simulator/CardTime.h"

namespace qv::sim {

enum class Memory { Qv2 = 0, Qv1 = 1, Aa = 2 };
inline constexpr std::array<Memory, 3> kMemories = {Memory::Qv2, Memory::Qv1, Memory::Aa};

// The run-control pair the program writes and the run-state pair it reads.
// Per memory: a two-bit clear field, a count enable latched by its go bit, and
// whether the memory actually counts (set by the card's counting logic).
//
// Clearing: writing one bit of a clear field alone (the idle pattern 0x88,
// 0x02 does this for all three) arms the clear; writing both bits then starts
// it. The clear takes a few milliseconds; afterwards both state bits report
// "clear finished" until a write drops the clear bits. An analyser that is not
// armed shows state byte 1 bit 0, asking for the idle pattern again.
class RunControl {
public:
    void Write(std::uint8_t control0, std::uint8_t control1, MasterTicks now);
    std::array<std::uint8_t, 2> State() const;

    // Count enable as latched by the go bits.
    bool Enabled(Memory m) const { return Of(m).enabled; }
    void Disable(Memory m) { Of(m).enabled = false; }
    bool Counting(Memory m) const { return Of(m).counting; }
    void SetCounting(Memory m, bool counting) { Of(m).counting = counting; }
    bool Clearing(Memory m) const { return Of(m).clearDoneAt.has_value(); }

    // Fault injection: clears that never finish.
    void SetClearsFinish(bool finish) { m_clearsFinish = finish; }

    std::optional<MasterTicks> NextClearCompletion() const;
    // Ends the clears due at 'now' and reports which memories they were.
    std::array<bool, 3> CompleteClears(MasterTicks now);

private:
    struct Channel {
        bool enabled = false;
        bool counting = false;
        bool armed = false;
        bool finishedShown = false;
        std::uint8_t lastClearBits = 0;
        std::optional<MasterTicks> clearDoneAt;
    };
    Channel& Of(Memory m) { return m_channels[static_cast<int>(m)]; }
    const Channel& Of(Memory m) const { return m_channels[static_cast<int>(m)]; }
    void WriteClearField(Memory m, std::uint8_t bits, MasterTicks now);

    std::array<Channel, 3> m_channels{};
    bool m_clearsFinish = true;
};

}  // namespace qv::sim

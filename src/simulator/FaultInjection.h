#pragma once

#include <cstdint>
#include <optional>

namespace qv::sim {

// Ways the virtual card can misbehave, for testing the program's error paths.
struct CardFaults {
    bool absent = false;                            // nothing on the bus: reads float high
    std::optional<std::uint64_t> silentAfterBytes;  // handshake bytes, then no answer
    std::optional<std::uint64_t> silentAfterWords;  // spectrum words, then no answer
    std::optional<std::uint64_t> goneAfterWords;    // spectrum words, then an empty bus
    bool clearsNeverFinish = false;                 // "clear finished" never comes
    bool locked = false;                            // front-panel key turned
};

// The port-level faults: counts what has moved and says when the card has gone
// quiet. A quiet card still drives its signature, so the program's waits run
// out their time instead of seeing an empty bus.
class FaultInjection {
public:
    explicit FaultInjection(const CardFaults& faults = {}) : m_faults(faults) {}

    void Set(const CardFaults& faults);
    const CardFaults& Faults() const { return m_faults; }

    bool Absent() const;
    bool Silent() const;
    void CountByte() { ++m_bytes; }
    void CountWord() { ++m_words; }

private:
    CardFaults m_faults;
    std::uint64_t m_bytes = 0;
    std::uint64_t m_words = 0;
};

}  // namespace qv::sim

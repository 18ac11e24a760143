#pragma once

#include <cstdint>
#include <limits>
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
// out their time instead of seeing an empty bus. The limits are worked out when
// the faults are set, so each question is a compare or two; a readout asks how
// far it may go before an answer can change, so that a fault still takes
// effect at the very byte it falls on.
class FaultInjection {
public:
    explicit FaultInjection(const CardFaults& faults = {}) { Set(faults); }

    void Set(const CardFaults& faults);
    const CardFaults& Faults() const { return m_faults; }

    bool Absent() const { return m_words >= m_goneAtWords; }
    bool Silent() const { return m_bytes >= m_silentAtBytes || m_words >= m_silentAtWords; }
    void CountByte() { ++m_bytes; }
    void CountWords(std::uint64_t words) { m_words += words; }
    // How many more spectrum words can go before the answers above may change.
    std::uint64_t WordsBeforeChange() const;

private:
    static constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();

    CardFaults m_faults;
    std::uint64_t m_goneAtWords = kNever;
    std::uint64_t m_silentAtBytes = kNever;
    std::uint64_t m_silentAtWords = kNever;
    std::uint64_t m_bytes = 0;
    std::uint64_t m_words = 0;
};

}  // namespace qv::sim

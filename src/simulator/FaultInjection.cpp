#include "simulator/FaultInjection.h"

#include <algorithm>

namespace qv::sim {

// A card pulled out (or powered off) part-way through a readout leaves the bus
// empty from then on; one that is absent from the start is gone at word 0.
void FaultInjection::Set(const CardFaults& faults) {
    m_faults = faults;
    m_goneAtWords = faults.absent ? 0 : faults.goneAfterWords.value_or(kNever);
    m_silentAtBytes = faults.silentAfterBytes.value_or(kNever);
    m_silentAtWords = faults.silentAfterWords.value_or(kNever);
    m_bytes = 0;
    m_words = 0;
}

std::uint64_t FaultInjection::WordsBeforeChange() const {
    const std::uint64_t next = std::min(m_goneAtWords, m_silentAtWords);
    return next > m_words ? next - m_words : 0;
}

}  // namespace qv::sim

#include "simulator/FaultInjection.h"

namespace qv::sim {

void FaultInjection::Set(const CardFaults& faults) {
    m_faults = faults;
    m_bytes = 0;
    m_words = 0;
}

// A card pulled out (or powered off) part-way through a readout leaves the bus empty.
bool FaultInjection::Absent() const {
    return m_faults.absent || (m_faults.goneAfterWords && m_words >= *m_faults.goneAfterWords);
}

bool FaultInjection::Silent() const {
    return (m_faults.silentAfterBytes && m_bytes >= *m_faults.silentAfterBytes) ||
           (m_faults.silentAfterWords && m_words >= *m_faults.silentAfterWords);
}

}  // namespace qv::sim

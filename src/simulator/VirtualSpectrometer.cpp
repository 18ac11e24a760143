#include "simulator/VirtualSpectrometer.h"

#include "hardware/CardRegisters.h"

namespace qv {

namespace {
constexpr std::uint8_t kFloatingBus = 0xFF;
}  // namespace

VirtualSpectrometer::VirtualSpectrometer(TickClock& clock,
                                         const VirtualSpectrometerOptions& options)
    : m_base(options.portBase),
      m_dataPort(static_cast<std::uint16_t>(m_base + kDataPortOffset)),
      m_statusPort(static_cast<std::uint16_t>(m_base + kStatusPortOffset)),
      m_faults(options.faults),
      m_card(std::make_unique<sim::SpectrometerCard>(clock, options.card)),
      m_handshake(*m_card, m_faults, clock) {
    SetFaults(options.faults);
}

VirtualSpectrometer::~VirtualSpectrometer() = default;

void VirtualSpectrometer::SetFaults(const sim::CardFaults& faults) {
    m_handshake.CountDeliveredWords();
    m_faults.Set(faults);
    m_handshake.FaultsChanged();
    m_card->SetLocked(faults.locked);
    m_card->SetClearsFinish(!faults.clearsNeverFinish);
}

// A readout's plain run first: nothing there can change what follows (see
// CardHandshake). Everything else sees the faults with every word counted.
std::uint8_t VirtualSpectrometer::In(std::uint16_t port) {
    if (m_handshake.InPlainRun()) {
        if (port == m_dataPort) {
            return m_handshake.PlainByte();
        }
        if (port == m_statusPort) {
            return sim::CardHandshake::kReadoutStatus;
        }
    }
    return InChecked(port);
}

std::uint8_t VirtualSpectrometer::InChecked(std::uint16_t port) {
    m_handshake.CountDeliveredWords();
    if (m_faults.Absent()) {
        return kFloatingBus;
    }
    switch (static_cast<std::uint16_t>(port - m_base)) {
        case kReplyPortOffset:
            return m_handshake.ReadReply();
        case kDataPortOffset:
            return m_handshake.ReadData();
        case kStatusPortOffset:
            return m_handshake.Status();
        default:
            return kFloatingBus;
    }
}

void VirtualSpectrometer::Out(std::uint16_t port, std::uint8_t value) {
    m_handshake.CountDeliveredWords();
    if (!m_faults.Absent() && static_cast<std::uint16_t>(port - m_base) == kCommandPortOffset) {
        m_handshake.WriteByte(value);
    }
}

}  // namespace qv

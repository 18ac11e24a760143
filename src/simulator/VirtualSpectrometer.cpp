#include "simulator/VirtualSpectrometer.h"

#include "hardware/CardRegisters.h"

namespace qv {

namespace {
constexpr std::uint8_t kFloatingBus = 0xFF;
}  // namespace

VirtualSpectrometer::VirtualSpectrometer(TickClock& clock,
                                         const VirtualSpectrometerOptions& options)
    : m_base(options.portBase),
      m_faults(options.faults),
      m_card(std::make_unique<sim::SpectrometerCard>(clock, options.card)),
      m_handshake(*m_card, m_faults, clock) {
    SetFaults(options.faults);
}

VirtualSpectrometer::~VirtualSpectrometer() = default;

void VirtualSpectrometer::SetFaults(const sim::CardFaults& faults) {
    m_faults.Set(faults);
    m_card->SetLocked(faults.locked);
    m_card->SetClearsFinish(!faults.clearsNeverFinish);
}

std::uint8_t VirtualSpectrometer::In(std::uint16_t port) {
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
    if (!m_faults.Absent() && static_cast<std::uint16_t>(port - m_base) == kCommandPortOffset) {
        m_handshake.WriteByte(value);
    }
}

}  // namespace qv

#pragma once

#include <cstdint>
#include <memory>

#include "hardware/HardwareGlobals.h"
#include "hardware/PortBus.h"
#include "hardware/TickClock.h"
#include "simulator/CardHandshake.h"
#include "simulator/FaultInjection.h"
#include "simulator/SpectrometerCard.h"

namespace qv {

struct VirtualSpectrometerOptions {
    std::uint16_t portBase = HardwareGlobals::kDefaultPortBase;
    sim::CardSettings card{};
    sim::CardFaults faults{};
};

// A Mossbauer spectrometer behind an interface card, on the port bus: answers
// the whole command set at its four ports, counts a 57Co source through an
// alpha-iron absorber as the registers say, and takes its time from the given
// clock. Everything random follows the seed, so a seed and a sequence of clock
// readings always give the same spectra.
class VirtualSpectrometer : public PortBus {
public:
    explicit VirtualSpectrometer(TickClock& clock, const VirtualSpectrometerOptions& options = {});
    ~VirtualSpectrometer() override;

    std::uint8_t In(std::uint16_t port) override;
    void Out(std::uint16_t port, std::uint8_t value) override;

    // The operator's bench.
    void SetSourceRate(double pulsesPerSecond) { m_card->SetSourceRate(pulsesPerSecond); }
    void SetLocked(bool locked) { m_card->SetLocked(locked); }
    void SetSwitch(bool on) { m_card->SetSwitch(on); }
    void SetFaults(const sim::CardFaults& faults);

    sim::SpectrometerCard& Card() { return *m_card; }

private:
    // Out of line, so that the readout's bytes pay for nothing they do not use.
    [[gnu::noinline]] std::uint8_t InChecked(std::uint16_t port);

    std::uint16_t m_base;
    std::uint16_t m_dataPort;
    std::uint16_t m_statusPort;
    sim::FaultInjection m_faults;
    std::unique_ptr<sim::SpectrometerCard> m_card;
    sim::CardHandshake m_handshake;
};

}  // namespace qv

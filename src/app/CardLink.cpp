#include "app/CardLink.h"

#include "hardware/HardwareGlobals.h"
#include "hardware/LinuxPortBus.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv {

namespace {

std::unique_ptr<PortBus> OpenVirtualCard(const CardLink::Choice& choice, std::uint16_t base) {
    VirtualSpectrometerOptions options;
    options.portBase = base;
    options.card.speedUp = choice.simulationSpeed == 0 ? 1 : choice.simulationSpeed;
    return std::make_unique<VirtualSpectrometer>(HardwareGlobals::Instance().Clock(), options);
}

}  // namespace

CardLink::CardLink(const Choice& choice, std::uint16_t portBase, std::ostream& warnings)
    : m_bus(choice.simulate ? OpenVirtualCard(choice, portBase)
                            : OpenLinuxPortBus(portBase, warnings)),
      m_simulated(choice.simulate) {
    HardwareGlobals::Instance().SetBus(*m_bus);
}

CardLink::~CardLink() {
    // Nobody may reach a bus that is gone: back to the empty bus.
    static NoCardBus noCard;
    if (&HardwareGlobals::Instance().Bus() == m_bus.get()) {
        HardwareGlobals::Instance().SetBus(noCard);
    }
}

}  // namespace qv

#include "app/CardLink.h"

#include "hardware/CardLock.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/LinuxPortBus.h"
#include "hardware/TransferTrace.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv {

namespace {

std::unique_ptr<PortBus> OpenVirtualCard(const CardLink::Choice& choice, std::uint16_t base) {
    VirtualSpectrometerOptions options;
    options.portBase = base;
    options.card.speedUp = choice.simulationSpeed == 0 ? 1 : choice.simulationSpeed;
    if (choice.sourceRate) {
        options.card.sourceRate = *choice.sourceRate;
    }
    if (choice.seed) {
        options.card.seed = *choice.seed;
    }
    options.faults = choice.faults;
    return std::make_unique<VirtualSpectrometer>(HardwareGlobals::Instance().Clock(), options);
}

std::unique_ptr<TransferTraceFile> OpenTrace(const CardLink::Choice& choice, std::ostream& warnings,
                                             std::string_view program) {
    if (!choice.tracePath) {
        return nullptr;
    }
    auto trace =
        std::make_unique<TransferTraceFile>(*choice.tracePath, HardwareGlobals::Instance().Clock());
    if (!trace->IsOpen()) {
        warnings << program << ": cannot write the transfer trace " << *choice.tracePath
                 << std::endl;
    }
    return trace;
}

}  // namespace

CardLink::CardLink(const Choice& choice, std::uint16_t portBase, std::ostream& warnings,
                   std::string_view program)
    : m_bus(choice.simulate ? OpenVirtualCard(choice, portBase)
                            : OpenPorts(portBase, warnings, program)),
      m_trace(OpenTrace(choice, warnings, program)),
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

std::string CardLink::CardInUseText() const {
    return m_cardInUse && m_lock ? m_lock->Refusal() : std::string();
}

bool CardLink::TraceOpen() const {
    return !m_trace || m_trace->IsOpen();
}

// The ports only once the card is ours; the lock lives as long as the link.
std::unique_ptr<PortBus> CardLink::OpenPorts(std::uint16_t portBase, std::ostream& warnings,
                                             std::string_view program) {
    m_lock = std::make_unique<CardLock>(portBase);
    if (!m_lock->Held()) {
        m_cardInUse = true;
        warnings << program << ": " << m_lock->Refusal() << "; running without a card" << std::endl;
        return std::make_unique<NoCardBus>();
    }
    return OpenLinuxPortBus(portBase, warnings, program);
}

}  // namespace qv

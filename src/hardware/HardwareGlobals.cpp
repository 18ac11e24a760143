#include "hardware/HardwareGlobals.h"

#include "hardware/PortBus.h"
#include "hardware/TickClock.h"

namespace qv {

HardwareGlobals& HardwareGlobals::Instance() {
    static HardwareGlobals globals;
    return globals;
}

PortBus& HardwareGlobals::Bus() const {
    static NoCardBus noCard;
    return m_bus != nullptr ? *m_bus : noCard;
}

TickClock& HardwareGlobals::Clock() const {
    static SteadyTickClock steady;
    return m_clock != nullptr ? *m_clock : steady;
}

}  // namespace qv

#pragma once

#include <cstdint>

namespace qv {

class PortBus;
class TickClock;
class TransferObserver;

// The process-wide values every port object shares: the configured port base
// (set from the hardware description file), the hardware-suspend flag, and
// the bus and clock the transfers go through. The bus and the clock are
// borrowed: whoever sets them keeps them alive until they are replaced or
// Reset() is called.
class HardwareGlobals {
public:
    static constexpr std::uint16_t kDefaultPortBase = 0x300;

    std::uint16_t portBase = kDefaultPortBase;
    std::int32_t suspend = 0;
    // Told of every exchange when set (borrowed, like the bus).
    TransferObserver* observer = nullptr;

    static HardwareGlobals& Instance();

    // An empty bus and the machine's clock unless something else was set.
    PortBus& Bus() const;
    TickClock& Clock() const;
    void SetBus(PortBus& bus) { m_bus = &bus; }
    void SetClock(TickClock& clock) { m_clock = &clock; }

    // Back to the start-up state; for tests and for a fresh start.
    void Reset() { *this = HardwareGlobals{}; }

private:
    PortBus* m_bus = nullptr;
    TickClock* m_clock = nullptr;
};

}  // namespace qv

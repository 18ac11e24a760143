#pragma once

#include <cstdint>
#include <memory>
#include <ostream>

#include "hardware/PortBus.h"

namespace qv {

// The card the whole program talks to, installed on the process-wide port bus
// for as long as this object lives: the virtual spectrometer, or the machine's
// I/O ports (falling back to no card when they cannot be reached).
class CardLink {
public:
    struct Choice {
        bool simulate = false;
        std::uint32_t simulationSpeed = 1;  // card seconds per real second
    };

    CardLink(const Choice& choice, std::uint16_t portBase, std::ostream& warnings);
    ~CardLink();
    CardLink(const CardLink&) = delete;
    CardLink& operator=(const CardLink&) = delete;

    PortBus& Bus() { return *m_bus; }
    bool IsSimulated() const { return m_simulated; }

private:
    std::unique_ptr<PortBus> m_bus;
    bool m_simulated;
};

}  // namespace qv

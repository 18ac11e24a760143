#pragma once

#include <cstdint>

namespace qv {

// Byte input and output at an I/O address: what the card's four ports are
// reached through. Implementations: no card, Linux port I/O, the virtual
// spectrometer.
class PortBus {
public:
    virtual ~PortBus() = default;
    virtual std::uint8_t In(std::uint16_t port) = 0;
    virtual void Out(std::uint16_t port, std::uint8_t value) = 0;
};

// An empty bus: every read floats high, writes go nowhere. Out of line, so
// that the transfer loops do not guess at it on every access.
class NoCardBus : public PortBus {
public:
    std::uint8_t In(std::uint16_t) override;
    void Out(std::uint16_t, std::uint8_t) override;
};

}  // namespace qv

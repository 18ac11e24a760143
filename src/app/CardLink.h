#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "hardware/PortBus.h"
#include "simulator/FaultInjection.h"

namespace qv {

class CardLock;
class TransferTraceFile;

// The card the whole program talks to, installed on the process-wide port bus
// for as long as this object lives: the virtual spectrometer, or the machine's
// I/O ports (falling back to no card when they cannot be reached or another
// process holds the card), with the transfer trace when one was asked for.
class CardLink {
public:
    struct Choice {
        bool simulate = false;
        std::uint32_t simulationSpeed = 1;  // card seconds per host second
        // The training bench (virtual card only).
        sim::CardFaults faults{};
        std::optional<double> sourceRate;   // pulses per second; the card's own otherwise
        std::optional<std::uint64_t> seed;  // of the counting noise; the card's own otherwise
        // One line per exchange into this file (see TransferTrace.h).
        std::optional<std::string> tracePath;
    };

    // Warnings go to warnings, each line headed by the program's name.
    CardLink(const Choice& choice, std::uint16_t portBase, std::ostream& warnings,
             std::string_view program = "qv");
    ~CardLink();
    CardLink(const CardLink&) = delete;
    CardLink& operator=(const CardLink&) = delete;

    PortBus& Bus() { return *m_bus; }
    bool IsSimulated() const { return m_simulated; }
    // The ports were wanted but another process holds the card: this link
    // runs as with no card, and a tool should stop.
    bool CardInUse() const { return m_cardInUse; }
    // Who holds the card when CardInUse(), in one sentence (see CardLock).
    std::string CardInUseText() const;
    // False when a trace was asked for and its file could not be made.
    bool TraceOpen() const;

private:
    std::unique_ptr<PortBus> OpenPorts(std::uint16_t portBase, std::ostream& warnings,
                                       std::string_view program);

    // In this order: OpenPorts sets the first two while m_bus is being made.
    std::unique_ptr<CardLock> m_lock;
    bool m_cardInUse = false;
    std::unique_ptr<PortBus> m_bus;
    std::unique_ptr<TransferTraceFile> m_trace;
    bool m_simulated;
};

}  // namespace qv

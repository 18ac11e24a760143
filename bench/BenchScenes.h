#pragma once

// What several benchmarks stand on: a full-HD window and a counting virtual card.
#include <cstdint>
#include <memory>

#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"
#include "simulator/VirtualSpectrometer.h"
#include "view/ViewHost.h"

namespace qv::bench {

class FullHdHost : public ViewHost {
public:
    CSize ClientSize() const override { return {1920, 1080}; }
    CPoint ScrollPosition() const override { return {}; }
    void Invalidate(bool) override {}
    void SetScrollBars(const ScrollSizes&) override {}
    void RemoveScrollBars() override {}
};

// The virtual card on the port bus, every memory counting for countedMs already.
inline std::unique_ptr<VirtualSpectrometer> StartCountingCard(ManualTickClock& clock,
                                                              std::uint32_t countedMs) {
    auto card = std::make_unique<VirtualSpectrometer>(clock);
    HardwareGlobals::Instance().SetBus(*card);
    HardwareGlobals::Instance().SetClock(clock);
    CHardwarePort port;
    const std::uint8_t start[] = {0x33, 0x0C};
    port.WriteCommand(kCmdWriteRunControl, start, kRunControlLength);
    clock.Advance(countedMs);
    return card;
}

}  // namespace qv::bench

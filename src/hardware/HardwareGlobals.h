#pragma once

#include <cstdint>

namespace qv {

// The process-wide values every port object shares: the configured port base
// (set from the hardware description file) and the hardware-suspend flag.
struct HardwareGlobals {
    static constexpr std::uint16_t kDefaultPortBase = 0x300;

    std::uint16_t portBase = kDefaultPortBase;
    std::int32_t suspend = 0;

    static HardwareGlobals& Instance();
    // Back to the start-up state; for tests and for a fresh start.
    void Reset() { *this = HardwareGlobals{}; }
};

}  // namespace qv

#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "simulator/RunControl.h"

namespace qv::sim {

// The card's three spectrum memories: Qv1 and Qv2 of 4096 channels, and the
// analyser's anticoincidence and coincidence spectra, 4096 channels each.
struct SpectrumMemories {
    static constexpr std::size_t kChannels = 4096;

    std::array<std::uint32_t, kChannels> qv1{};
    std::array<std::uint32_t, kChannels> qv2{};
    std::array<std::uint32_t, 2 * kChannels> aa{};

    void Clear(Memory m);
    // The words a readout request delivers: 8192 for the analyser, 4096 for
    // either Qv memory, 4096 zeros for a selector the card does not know.
    void Readout(std::uint8_t selector, std::vector<std::uint32_t>& words) const;
};

}  // namespace qv::sim

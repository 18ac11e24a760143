#include "simulator/SpectrumMemories.h"

#include "hardware/CommandCodes.h"

namespace qv::sim {

void SpectrumMemories::Clear(Memory m) {
    switch (m) {
        case Memory::Qv1:
            qv1.fill(0);
            break;
        case Memory::Qv2:
            qv2.fill(0);
            break;
        case Memory::Aa:
            aa.fill(0);
            break;
    }
}

void SpectrumMemories::Readout(std::uint8_t selector, std::vector<std::uint32_t>& words) const {
    switch (selector) {
        case kSelectAa:
            words.assign(aa.begin(), aa.end());
            break;
        case kSelectQv1:
            words.assign(qv1.begin(), qv1.end());
            break;
        case kSelectQv2:
            words.assign(qv2.begin(), qv2.end());
            break;
        default:
            words.assign(kChannels, 0);
            break;
    }
}

}  // namespace qv::sim

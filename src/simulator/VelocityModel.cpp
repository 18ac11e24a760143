#include "simulator/VelocityModel.h"

namespace qv::sim {

namespace {
constexpr double kMidScale = ReferenceTable::kFullScale / 2.0;
constexpr double kGainForHalfTracking = 8.0;
}  // namespace

ChannelVelocities ComputeVelocities(const ReferenceTable& reference,
                                    const VibratorRegisters& vibrator) {
    const double gain = vibrator.Gain().Current();
    const double tracking = gain / (gain + kGainForHalfTracking);
    const double perStep = vibrator.HighRange() ? kVelocityPerStepHigh : kVelocityPerStepLow;
    const double peak = vibrator.Amplitude().Current() * perStep * tracking;
    ChannelVelocities v{};
    for (std::size_t c = 0; c < kQvChannels; ++c) {
        const double sample = (reference[2 * c] + reference[2 * c + 1]) / 2.0;
        v[c] = (sample - kMidScale) / kMidScale * peak;
    }
    return v;
}

}  // namespace qv::sim

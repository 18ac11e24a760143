#pragma once

#include <array>

#include "simulator/AnalogueRegisters.h"
#include "simulator/PulseHeightModel.h"
#include "simulator/VelocityModel.h"

namespace qv::sim {

// Which pulses reach the three memories, per second.
struct CountRates {
    std::array<double, kQvChannels> qv1{};  // while the sweep dwells in the channel
    std::array<double, kQvChannels> qv2{};
    bool qv2Fringes = false;                          // interferometer fringes: counted, not random
    std::array<double, 2 * kAmplitudeChannels> aa{};  // anticoincidence, coincidence
    double liveFraction = 1;
    double qv1Mean = 0;  // averaged over a sweep
    double qv2Mean = 0;
};

struct SourceSelection {
    bool qv1Local;  // else the aux detector
    bool qv2Laser;  // else the aux detector
};

// Applies the trigger level, the dead time of the shaping, the single-channel
// window (which pulses count in the Qv memories, and which the analyser files
// as coincidence) and the analyser's own window to the pulse heights, and the
// absorber to the resonant part along the velocity sweep.
CountRates ComposeRates(const PulseHeights& pulses, const AnalogueRegisters& analogue,
                        const ChannelVelocities& velocities, SourceSelection sources,
                        double sourceRate);

}  // namespace qv::sim

#pragma once

#include <array>

#include "simulator/AnalogueRegisters.h"

namespace qv::sim {

inline constexpr std::size_t kAmplitudeChannels = 4096;
using AmplitudeRates = std::array<double, kAmplitudeChannels>;

// Pulses per second in each amplitude channel, split into the part that the
// absorber can take away resonantly (the 14.4 keV line) and the rest.
struct PulseHeights {
    AmplitudeRates resonant{};
    AmplitudeRates other{};
    double overflow = 0;  // pulses per second above the last channel
};

// What the analogue chain delivers: on input A a proportional counter at a
// 57Co source (14.4 and 6.3 keV lines, a continuum from the harder lines,
// electronic noise), whose gas gain grows with the high voltage; on input B a
// two-pulse stimulator with two narrow peaks. The amplifier gain scales both.
PulseHeights ComputePulseHeights(const AnalogueRegisters& analogue, int highVoltage,
                                 double sourceRate);

// Where a line of the given energy lands at this high voltage and gain.
double ChannelOfEnergy(double keV, int highVoltage, int gain);

}  // namespace qv::sim

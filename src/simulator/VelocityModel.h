#pragma once

#include <array>

#include "simulator/ReferenceTable.h"
#include "simulator/VibratorRegisters.h"

namespace qv::sim {

inline constexpr std::size_t kQvChannels = 4096;
using ChannelVelocities = std::array<double, kQvChannels>;

// Velocity per amplitude step in the two ranges, mm/s: the calibration the
// hardware description ships with, so the program's read-out agrees.
inline constexpr double kVelocityPerStepHigh = 0.106;
inline constexpr double kVelocityPerStepLow = 0.014;

// The source velocity while the sweep dwells in each Qv channel (two reference
// samples per channel). The drive follows the reference scaled by the
// amplitude; a low feedback gain lets it lag a little behind its target.
ChannelVelocities ComputeVelocities(const ReferenceTable& reference,
                                    const VibratorRegisters& vibrator);

}  // namespace qv::sim

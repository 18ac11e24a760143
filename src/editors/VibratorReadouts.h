#pragma once

#include <string>

#include "document/HardwareDescription.h"
#include "document/SettingsBlocks.h"

namespace qv {

// Drive frequency in Hz for the dividers K and L:
// 24e6 / ((8 (K + 1) + 24) (256 - L) 8192), kept as a 32-bit float.
float DriveFrequency(int k, int l);

// The velocity coefficient (mm/s per amplitude step) for the range.
float VelocityCoefficient(const VelocityCoefficients& coefficients, bool highRange);
// Peak velocity in mm/s of an amplitude.
float PeakVelocity(float coefficient, int amplitude);
// The velocity read-out, "%7.3f".
std::string VelocityText(float velocity);

// The velocity a stored block describes, with the coefficients stored in it.
float BlockVelocity(const VibratorBlock& block);

}  // namespace qv

#pragma once

namespace qv::sim {

// An alpha-iron foil: the magnetic sextet at +-5.312, +-3.076 and +-0.840 mm/s
// with intensities 3:2:1:1:2:3. The fraction of 14.4 keV photons that pass at a
// given source velocity (mm/s).
double AlphaIronTransmission(double velocity);

}  // namespace qv::sim

#pragma once

#include <array>

namespace qv::analysis {

inline constexpr int kSextetLines = 6;

// The magnetic sextet of an alpha-iron foil at room temperature, mm/s, in
// order of velocity, and the relative line intensities of a thin foil.
inline constexpr std::array<double, kSextetLines> kAlphaIronLines = {-5.312, -3.076, -0.840,
                                                                     0.840,  3.076,  5.312};
inline constexpr std::array<double, kSextetLines> kAlphaIronIntensities = {3, 2, 1, 1, 2, 3};

}  // namespace qv::analysis

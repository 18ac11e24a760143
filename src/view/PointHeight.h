#pragma once

#include <cstdint>

namespace qv {

// y of a point on the 768-high field: 768 minus the truncated fraction times 768.

// Aa curves share one scale whose top is the largest sum channel. The sum of
// two channels is passed as a double so that it cannot overflow.
int AaPointY(double counts, std::uint32_t aaSumMaximum);

// A Qv spectrum runs from its minimum (768) to its maximum (0); the difference
// is taken as an unsigned 32-bit value.
int QvPointY(std::uint32_t value, std::uint32_t minimum, std::uint32_t range);

}  // namespace qv

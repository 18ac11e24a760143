#pragma once

namespace qv::analysis {

// A round tick step (1, 2 or 5 times a power of ten) that gives about `ticks`
// ticks over range; range must be positive.
double NiceStep(double range, int ticks = 5);

}  // namespace qv::analysis

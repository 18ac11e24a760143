#include "analysis/NiceStep.h"

#include <cmath>
#include <initializer_list>

namespace qv::analysis {

double NiceStep(double range, int ticks) {
    const double raw = range / ticks;
    const double power = std::pow(10, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0}) {
        if (m * power >= raw) {
            return m * power;
        }
    }
    return 10 * power;
}

}  // namespace qv::analysis

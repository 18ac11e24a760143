#include "simulator/AlphaIronAbsorber.h"

namespace qv::sim {

namespace {

struct Line {
    double position;  // mm/s
    double intensity;
};

constexpr Line kSextet[] = {{-5.312, 3}, {-3.076, 2}, {-0.840, 1},
                            {0.840, 1},  {3.076, 2},  {5.312, 3}};
constexpr double kHalfWidth = 0.15;          // mm/s, half the line width
constexpr double kDepthPerIntensity = 0.06;  // the outer lines take 18 %

}  // namespace

double AlphaIronTransmission(double velocity) {
    double absorbed = 0;
    for (const Line& line : kSextet) {
        const double d = velocity - line.position;
        absorbed += kDepthPerIntensity * line.intensity * kHalfWidth * kHalfWidth /
                    (d * d + kHalfWidth * kHalfWidth);
    }
    return 1 - absorbed;
}

}  // namespace qv::sim

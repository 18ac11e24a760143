#include "view/LegendBitmap.h"

#include <array>

#include "view/ViewConstants.h"

namespace qv {

namespace {
constexpr Rgb kOlive{128, 128, 0};
constexpr int kSlotHeight = kLegendHeight / 5;
// In the order of the panel's rows: sum, coincidence, anticoincidence, Qv2, Qv1.
constexpr std::array<Rgb, 5> kBands{kSumColour, kCoincColour, kAntiCoincColour, kQv2Colour,
                                    kQv1Colour};
}  // namespace

RgbCanvas LegendBitmap() {
    RgbCanvas bitmap(kLegendWidth, kLegendHeight, kOlive);
    for (int i = 0; i < static_cast<int>(kBands.size()); ++i) {
        const int top = i * kSlotHeight;
        bitmap.FillRect({0, top + 1, kLegendWidth, top + kSlotHeight - 1}, kBands[i]);
    }
    return bitmap;
}

}  // namespace qv

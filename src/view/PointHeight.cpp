#include "view/PointHeight.h"

#include <algorithm>

#include "view/ViewConstants.h"

namespace qv {

namespace {
// A wrapped Aa sum can exceed its maximum many times over; such a point lies far
// above the field either way, and the limit keeps the conversion defined.
int HeightOf(double fraction) {
    const double scaled = std::min(fraction * static_cast<double>(kFieldHeight), 1e9);
    return kFieldHeight - static_cast<int>(scaled);
}
}  // namespace

int AaPointY(double counts, std::uint32_t aaSumMaximum) {
    return HeightOf(counts / static_cast<double>(aaSumMaximum));
}

int QvPointY(std::uint32_t value, std::uint32_t minimum, std::uint32_t range) {
    const std::uint32_t aboveMinimum = value - minimum;
    return HeightOf(static_cast<double>(aboveMinimum) / static_cast<double>(range));
}

}  // namespace qv

#include "view/ScrollModes.h"

#include <algorithm>

namespace qv {

ScrollSizes DefaultScrollSizes(CSize total) {
    const CSize page{total.cx / 10, total.cy / 10};
    return {total, page, {page.cx / 10, page.cy / 10}};
}

CPoint ClampScrollPosition(CSize total, CSize client, CPoint position) {
    const int maxX = std::max(total.cx - client.cx, 0);
    const int maxY = std::max(total.cy - client.cy, 0);
    return {std::clamp(position.x, 0, maxX), std::clamp(position.y, 0, maxY)};
}

Mapping ViewMapping(bool zoomed, CSize total, CSize client, CPoint scroll) {
    return zoomed ? Mapping::OneToOne(scroll) : Mapping::Fitted(total, client);
}

}  // namespace qv

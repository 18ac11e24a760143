#pragma once

#include "framework/DeviceContext.h"
#include "view/ViewHost.h"

namespace qv {

// The scrolling view's two sizing modes, as the desktop framework defines them.

// Default steps: a page is a tenth of the total size, a line a tenth of a page.
ScrollSizes DefaultScrollSizes(CSize total);

// Where a scroll bar can go: 0 up to total minus client, in each direction.
CPoint ClampScrollPosition(CSize total, CSize client, CPoint position);

// Zoomed: one pixel per logical unit, moved by the scroll position. Fitted:
// the total logical size stretched over the client area, each axis on its own.
Mapping ViewMapping(bool zoomed, CSize total, CSize client, CPoint scroll);

}  // namespace qv

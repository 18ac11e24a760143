#include "framework/DeviceContext.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace qv {

namespace {

// Integer division rounded down and up; the divisor is positive.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a > 0) ? q + 1 : q;
}

// The units a line covers with its end point left out: [from, to) going
// forward, (to, from] going back.
std::pair<int, int> LineUnits(int from, int to) {
    return from <= to ? std::pair{from, to} : std::pair{to + 1, from + 1};
}

int ToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, -(1 << 30), 1 << 30));
}

}  // namespace

AxisMapping::AxisMapping(int logical, int device, int scroll)
    : m_logical(std::max(logical, 1)), m_device(std::max(device, 0)), m_scroll(scroll) {}

int AxisMapping::PointPixel(int unit) const {
    return ToInt(CeilDiv((std::int64_t{unit} + 1) * m_device, m_logical) - 1 - m_scroll);
}

int AxisMapping::SpanStart(int unit) const {
    return ToInt(FloorDiv(std::int64_t{unit} * m_device, m_logical) - m_scroll);
}

int AxisMapping::SpanEnd(int unit) const {
    return ToInt(CeilDiv(std::int64_t{unit} * m_device, m_logical) - m_scroll);
}

int AxisMapping::UnitAt(int pixel) const {
    if (m_device == 0) {
        return 0;
    }
    return ToInt(FloorDiv((std::int64_t{pixel} + m_scroll) * m_logical, m_device));
}

Mapping Mapping::Fitted(CSize logicalTotal, CSize client) {
    return {AxisMapping(logicalTotal.cx, client.cx, 0), AxisMapping(logicalTotal.cy, client.cy, 0)};
}

Mapping Mapping::OneToOne(CPoint scroll) {
    return {AxisMapping(1, 1, scroll.x), AxisMapping(1, 1, scroll.y)};
}

void CDC::FillClipped(CRect pixels, Rgb colour) {
    const CSize size = DeviceSize();
    pixels.left = std::max(pixels.left, 0);
    pixels.top = std::max(pixels.top, 0);
    pixels.right = std::min(pixels.right, size.cx);
    pixels.bottom = std::min(pixels.bottom, size.cy);
    if (pixels.left < pixels.right && pixels.top < pixels.bottom) {
        FillPixels(pixels, colour);
    }
}

void CDC::FillRect(const CRect& rect, Rgb brush) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return;
    }
    FillClipped({m_mapping.x.SpanStart(rect.left), m_mapping.y.SpanStart(rect.top),
                 m_mapping.x.SpanEnd(rect.right), m_mapping.y.SpanEnd(rect.bottom)},
                brush);
}

Rgb CDC::SelectPen(Rgb pen) {
    return std::exchange(m_pen, pen);
}

void CDC::MoveTo(int x, int y) {
    m_position = {x, y};
}

void CDC::LineTo(int x, int y) {
    const CPoint to{x, y};
    if (to.x == m_position.x || to.y == m_position.y) {
        AxisLine(to);
    } else {
        WalkLine(to);
    }
    m_position = to;
}

void CDC::SetPixelV(int x, int y, Rgb colour) {
    const int px = m_mapping.x.PointPixel(x);
    const int py = m_mapping.y.PointPixel(y);
    const CSize size = DeviceSize();
    if (px >= 0 && py >= 0 && px < size.cx && py < size.cy) {
        PutPixel(px, py, colour);
    }
}

void CDC::AxisLine(CPoint to) {
    const CPoint from = m_position;
    if (from.x == to.x) {
        const auto [first, end] = LineUnits(from.y, to.y);
        const int column = m_mapping.x.PointPixel(from.x);
        FillClipped({column, m_mapping.y.SpanStart(first), column + 1, m_mapping.y.SpanEnd(end)},
                    m_pen);
    } else {
        const auto [first, end] = LineUnits(from.x, to.x);
        const int row = m_mapping.y.PointPixel(from.y);
        FillClipped({m_mapping.x.SpanStart(first), row, m_mapping.x.SpanEnd(end), row + 1}, m_pen);
    }
}

void CDC::WalkLine(CPoint to) {
    CPoint at = m_position;
    const int dx = std::abs(to.x - at.x);
    const int dy = -std::abs(to.y - at.y);
    const int sx = at.x < to.x ? 1 : -1;
    const int sy = at.y < to.y ? 1 : -1;
    int error = dx + dy;
    while (at != to) {
        SetPixelV(at.x, at.y, m_pen);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.x += sx;
        }
        if (twice <= dx) {
            error += dx;
            at.y += sy;
        }
    }
}

}  // namespace qv

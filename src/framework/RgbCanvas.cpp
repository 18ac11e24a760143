#include "framework/RgbCanvas.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace qv {

RgbCanvas::RgbCanvas(int width, int height, Rgb fill)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_bytes(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height) * 3) {
    Clear(fill);
}

Rgb RgbCanvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        throw std::out_of_range("pixel outside the canvas");
    }
    const std::uint8_t* p = m_bytes.data() + Offset(x, y);
    return {p[0], p[1], p[2]};
}

void RgbCanvas::Clear(Rgb colour) {
    if (m_width > 0 && m_height > 0) {
        FillPixels({0, 0, m_width, m_height}, colour);
    }
}

// Paints the first row of the rectangle pixel by pixel and copies it to the
// others: a full-window fill is then a few thousand row copies.
void RgbCanvas::FillPixels(const CRect& pixels, Rgb colour) {
    std::uint8_t* first = m_bytes.data() + Offset(pixels.left, pixels.top);
    const std::size_t rowBytes = static_cast<std::size_t>(pixels.right - pixels.left) * 3;
    for (std::size_t i = 0; i < rowBytes; i += 3) {
        first[i] = colour.r;
        first[i + 1] = colour.g;
        first[i + 2] = colour.b;
    }
    for (int y = pixels.top + 1; y < pixels.bottom; ++y) {
        std::memcpy(m_bytes.data() + Offset(pixels.left, y), first, rowBytes);
    }
}

void RgbCanvas::PutPixel(int x, int y, Rgb colour) {
    std::uint8_t* p = m_bytes.data() + Offset(x, y);
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
}

}  // namespace qv

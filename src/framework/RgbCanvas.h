#pragma once

#include <cstdint>
#include <vector>

#include "framework/DeviceContext.h"

namespace qv {

// The window background where nothing has been painted.
inline constexpr Rgb kWindowBackground{255, 255, 255};

// A device context over an in-memory picture: width x height pixels of three
// bytes (red, green, blue), rows top to bottom, no padding, so the bytes can
// go straight into a toolkit image or a PNG row by row. A new canvas is
// kWindowBackground everywhere; pixels keep their colour until drawn over.
class RgbCanvas : public CDC {
public:
    RgbCanvas(int width, int height, Rgb fill = kWindowBackground);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    CSize DeviceSize() const override { return {m_width, m_height}; }
    // Colour of one device pixel; the pixel must lie on the canvas.
    Rgb Pixel(int x, int y) const;
    void Clear(Rgb colour = kWindowBackground);

    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    std::uint8_t* Data() { return m_bytes.data(); }
    const std::uint8_t* Row(int y) const { return m_bytes.data() + Offset(0, y); }

protected:
    void FillPixels(const CRect& pixels, Rgb colour) override;
    void PutPixel(int x, int y, Rgb colour) override;

private:
    std::size_t Offset(int x, int y) const {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                static_cast<std::size_t>(x)) *
               3;
    }

    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace qv

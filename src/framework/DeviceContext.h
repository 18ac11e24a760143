#pragma once

#include <cstdint>

namespace qv {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct CPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const CSize&, const CSize&) = default;
};

// Right and bottom edges are exclusive, as in the desktop's rectangles.
struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const CRect&, const CRect&) = default;
};

// One axis of the logical-to-device mapping: a window extent of `logical`
// units shown over a viewport extent of `device` pixels, then moved back by
// `scroll` pixels.
//
// Logical unit u covers the device span [u*device/logical, (u+1)*device/logical)
// minus scroll. From that span:
//   - a point at u lights the pixel that holds the right end of its span:
//       PointPixel(u) = ceil((u+1)*device/logical) - 1 - scroll
//     (so when several units share a pixel, the pixel shows the last one drawn,
//     and when a unit covers several pixels, its point is the last of them);
//   - a run of units [l, r) covers every pixel its span touches:
//       SpanStart(l) = floor(l*device/logical) - scroll
//       SpanEnd(r)   = ceil(r*device/logical) - scroll   (exclusive)
//   - a pixel p shows logical unit floor((p + scroll)*logical/device).
// With device == logical (one pixel per unit) all three are u - scroll.
// All arithmetic is exact, in 64-bit integers.
class AxisMapping {
public:
    AxisMapping() = default;
    AxisMapping(int logical, int device, int scroll);

    int PointPixel(int unit) const;
    int SpanStart(int unit) const;
    int SpanEnd(int unit) const;
    int UnitAt(int pixel) const;

private:
    std::int64_t m_logical = 1;
    std::int64_t m_device = 1;
    std::int64_t m_scroll = 0;
};

struct Mapping {
    AxisMapping x;
    AxisMapping y;

    // The logical area stretched over the whole client area, each axis on its own.
    static Mapping Fitted(CSize logicalTotal, CSize client);
    // One pixel per logical unit, moved by the scroll position.
    static Mapping OneToOne(CPoint scroll);
};

// Device context: draws in logical coordinates through a Mapping onto a
// surface of device pixels; whatever falls outside the surface is dropped.
// Only solid fills, one-pixel solid pens and single pixels exist, because that
// is all the spectrum view paints with.
class CDC {
public:
    virtual ~CDC() = default;

    void SetMapping(const Mapping& mapping) { m_mapping = mapping; }
    const Mapping& GetMapping() const { return m_mapping; }

    // Every pixel that the logical rectangle touches.
    void FillRect(const CRect& rect, Rgb brush);
    // Returns the pen that was selected; the initial pen is black.
    Rgb SelectPen(Rgb pen);
    void MoveTo(int x, int y);
    // From the current position to (x, y), the end point excluded, then moves
    // there. Vertical and horizontal lines cover every pixel their span touches
    // in a one-point-wide column or row; other lines plot the logical points
    // of a Bresenham walk.
    void LineTo(int x, int y);
    void SetPixelV(int x, int y, Rgb colour);

    virtual CSize DeviceSize() const = 0;

protected:
    // Called with pixels already clipped to the surface.
    virtual void FillPixels(const CRect& pixels, Rgb colour) = 0;
    virtual void PutPixel(int x, int y, Rgb colour) = 0;

private:
    void FillClipped(CRect pixels, Rgb colour);
    void AxisLine(CPoint to);
    void WalkLine(CPoint to);

    Mapping m_mapping;
    Rgb m_pen{};
    CPoint m_position{};
};

}  // namespace qv

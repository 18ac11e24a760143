#include "framework/DeviceContext.h"

#include <gtest/gtest.h>

#include "framework/RgbCanvas.h"

namespace qv {
namespace {

constexpr Rgb kInk{10, 20, 30};
constexpr Rgb kWhite = kWindowBackground;

TEST(AxisMappingTest, OneToOneIsTheUnitMinusTheScroll) {
    const AxisMapping axis(1, 1, 100);
    EXPECT_EQ(axis.PointPixel(150), 50);
    EXPECT_EQ(axis.SpanStart(150), 50);
    EXPECT_EQ(axis.SpanEnd(150), 50);
    EXPECT_EQ(axis.UnitAt(50), 150);
}

TEST(AxisMappingTest, ShrinkingPutsAPointOnThePixelHoldingTheEndOfItsUnit) {
    const AxisMapping axis(4096, 1024, 0);  // four units per pixel
    EXPECT_EQ(axis.PointPixel(0), 0);
    EXPECT_EQ(axis.PointPixel(3), 0);
    EXPECT_EQ(axis.PointPixel(4), 1);
    EXPECT_EQ(axis.PointPixel(4095), 1023);
    EXPECT_EQ(axis.SpanStart(5), 1);
    EXPECT_EQ(axis.SpanEnd(5), 2);
    EXPECT_EQ(axis.SpanEnd(4096), 1024);
    EXPECT_EQ(axis.UnitAt(1023), 4092);
}

TEST(AxisMappingTest, StretchingPutsAPointOnTheLastPixelOfItsUnit) {
    const AxisMapping axis(768, 1536, 0);  // two pixels per unit
    EXPECT_EQ(axis.PointPixel(0), 1);
    EXPECT_EQ(axis.SpanStart(0), 0);
    EXPECT_EQ(axis.SpanEnd(1), 2);
    EXPECT_EQ(axis.PointPixel(768), 1537);  // one past the field: below the client area
    EXPECT_EQ(axis.UnitAt(1535), 767);
}

TEST(AxisMappingTest, TheUnitUnderAPixelIsDrawnOnThatPixel) {
    for (const int width : {100, 1000, 1023, 3000, 4096}) {
        const AxisMapping axis(4096, width, 0);
        for (int pixel = 0; pixel < width; ++pixel) {
            ASSERT_EQ(axis.PointPixel(axis.UnitAt(pixel)), pixel) << width;
        }
    }
}

TEST(AxisMappingTest, NegativeUnitsRoundDown) {
    const AxisMapping axis(4096, 1024, 0);
    EXPECT_EQ(axis.SpanStart(-1), -1);
    EXPECT_EQ(axis.PointPixel(-1), -1);
    EXPECT_EQ(axis.PointPixel(-5), -2);
}

TEST(RgbCanvasTest, StartsInTheWindowBackgroundWithThreeBytesPerPixel) {
    const RgbCanvas canvas(3, 2);
    EXPECT_EQ(canvas.Bytes().size(), 18u);
    EXPECT_EQ(canvas.Pixel(2, 1), kWhite);
}

TEST(RgbCanvasTest, PixelsAreRowsOfRedGreenBlue) {
    RgbCanvas canvas(3, 2);
    canvas.SetPixelV(1, 1, kInk);
    const std::size_t at = (1 * 3 + 1) * 3;
    EXPECT_EQ(canvas.Bytes()[at], 10);
    EXPECT_EQ(canvas.Bytes()[at + 1], 20);
    EXPECT_EQ(canvas.Bytes()[at + 2], 30);
    EXPECT_EQ(canvas.Row(1)[3], 10);
}

TEST(RgbCanvasTest, FillCoversTheTouchedPixelsAndClips) {
    RgbCanvas canvas(10, 10);
    canvas.FillRect({-5, 8, 3, 20}, kInk);
    EXPECT_EQ(canvas.Pixel(0, 8), kInk);
    EXPECT_EQ(canvas.Pixel(2, 9), kInk);
    EXPECT_EQ(canvas.Pixel(3, 9), kWhite);
    EXPECT_EQ(canvas.Pixel(2, 7), kWhite);
}

TEST(RgbCanvasTest, ScaledFillTouchesPartlyCoveredPixels) {
    RgbCanvas canvas(10, 1);
    canvas.SetMapping({AxisMapping(40, 10, 0), AxisMapping(1, 1, 0)});
    canvas.FillRect({5, 0, 9, 1}, kInk);  // units 5..8 lie on pixels 1 and 2
    EXPECT_EQ(canvas.Pixel(0, 0), kWhite);
    EXPECT_EQ(canvas.Pixel(1, 0), kInk);
    EXPECT_EQ(canvas.Pixel(2, 0), kInk);
    EXPECT_EQ(canvas.Pixel(3, 0), kWhite);
}

TEST(RgbCanvasTest, EmptyRectanglesFillNothing) {
    RgbCanvas canvas(4, 4);
    canvas.FillRect({2, 0, 2, 4}, kInk);
    canvas.FillRect({3, 0, 1, 4}, kInk);
    EXPECT_EQ(canvas.Bytes(), RgbCanvas(4, 4).Bytes());
}

TEST(RgbCanvasTest, PointsOutsideTheCanvasAreDropped) {
    RgbCanvas canvas(4, 4);
    canvas.SetPixelV(-1, 0, kInk);
    canvas.SetPixelV(4, 0, kInk);
    canvas.SetPixelV(0, 4, kInk);
    EXPECT_EQ(canvas.Bytes(), RgbCanvas(4, 4).Bytes());
}

TEST(RgbCanvasTest, VerticalLineLeavesOutItsEndPoint) {
    RgbCanvas canvas(4, 6);
    const Rgb old = canvas.SelectPen(kInk);
    EXPECT_EQ(old, Rgb{});
    canvas.MoveTo(1, 1);
    canvas.LineTo(1, 4);
    EXPECT_EQ(canvas.Pixel(1, 0), kWhite);
    EXPECT_EQ(canvas.Pixel(1, 1), kInk);
    EXPECT_EQ(canvas.Pixel(1, 3), kInk);
    EXPECT_EQ(canvas.Pixel(1, 4), kWhite);
    EXPECT_EQ(canvas.Pixel(0, 2), kWhite);
}

TEST(RgbCanvasTest, UpwardLineLeavesOutItsEndPointToo) {
    RgbCanvas canvas(4, 6);
    canvas.SelectPen(kInk);
    canvas.MoveTo(2, 4);
    canvas.LineTo(2, 1);
    EXPECT_EQ(canvas.Pixel(2, 4), kInk);
    EXPECT_EQ(canvas.Pixel(2, 2), kInk);
    EXPECT_EQ(canvas.Pixel(2, 1), kWhite);
}

TEST(RgbCanvasTest, HorizontalAndSlantedLines) {
    RgbCanvas canvas(6, 6);
    canvas.SelectPen(kInk);
    canvas.MoveTo(0, 5);
    canvas.LineTo(3, 5);
    EXPECT_EQ(canvas.Pixel(2, 5), kInk);
    EXPECT_EQ(canvas.Pixel(3, 5), kWhite);
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 3);
    EXPECT_EQ(canvas.Pixel(0, 0), kInk);
    EXPECT_EQ(canvas.Pixel(2, 2), kInk);
    EXPECT_EQ(canvas.Pixel(3, 3), kWhite);
}

TEST(RgbCanvasTest, StretchedVerticalLineIsOnePixelWide) {
    RgbCanvas canvas(8, 8);
    canvas.SetMapping(Mapping::Fitted({4, 4}, {8, 8}));
    canvas.SelectPen(kInk);
    canvas.MoveTo(1, 0);
    canvas.LineTo(1, 4);
    EXPECT_EQ(canvas.Pixel(2, 0), kWhite);
    EXPECT_EQ(canvas.Pixel(3, 0), kInk);
    EXPECT_EQ(canvas.Pixel(3, 7), kInk);
}

}  // namespace
}  // namespace qv

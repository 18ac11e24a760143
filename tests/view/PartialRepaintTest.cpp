#include <gtest/gtest.h>

#include "ViewFixture.h"

namespace qv::test {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr int kEmptyRow = 300;  // no curve has a point on this row

// Paints over a black picture, so that only what the paint touched changes.
class PartialRepaintTest : public ViewFixture {
protected:
    PartialRepaintTest() {
        for (std::size_t i = 0; i < kChannels; ++i) {
            Data().AaAntiCoinc()[i] = 500;
            Data().AaCoinc()[i] = 500;
        }
        Recompute();
    }
    // The left cursor moved from oldLeft to newLeft; the right one stayed.
    RgbCanvas PaintAfterMove(int oldLeft, int newLeft) {
        Panel().m_nOldLeft = oldLeft;
        Panel().m_nLeftCursor = newLeft;
        Panel().m_nOldRight = Panel().m_nRightCursor;
        Panel().m_bPartialRedraw = 1;
        return Paint(kBlack);
    }
    void Zoomed(CSize client) {
        host.client = client;
        view.OnToggleZoom();
    }
    // Columns in [first, last] of row y that the paint changed.
    static bool Painted(const RgbCanvas& canvas, int x, int y) {
        return canvas.Pixel(x, y) != kBlack;
    }
};

TEST_F(PartialRepaintTest, ZoomedBandIsFiveChannelsAroundTheOldCursor) {
    Zoomed({4096, 800});
    const RgbCanvas canvas = PaintAfterMove(1000, 1010);
    EXPECT_FALSE(Painted(canvas, 997, kEmptyRow));
    for (int x = 998; x <= 1002; ++x) {
        EXPECT_EQ(canvas.Pixel(x, kEmptyRow), kFieldColour) << x;
    }
    EXPECT_FALSE(Painted(canvas, 1003, kEmptyRow));
    EXPECT_EQ(canvas.Pixel(998, 767), kFieldColour);
    EXPECT_EQ(canvas.Pixel(998, 768), kQv2Colour);
    EXPECT_FALSE(Painted(canvas, 998, 769));
}

TEST_F(PartialRepaintTest, BothCursorLinesAreDrawnAnew) {
    Zoomed({4096, 800});
    const RgbCanvas canvas = PaintAfterMove(1000, 1010);
    EXPECT_EQ(canvas.Pixel(1010, kEmptyRow), kCursorColour);
    EXPECT_EQ(canvas.Pixel(3000, kEmptyRow), kCursorColour);
    EXPECT_EQ(canvas.Pixel(2998, kEmptyRow), kFieldColour);
    EXPECT_FALSE(Painted(canvas, 2000, kEmptyRow));
}

TEST_F(PartialRepaintTest, ZoomedPointsAreRedrawnThreeChannelsBeyondTheBand) {
    Zoomed({4096, 800});
    const RgbCanvas canvas = PaintAfterMove(1000, 1010);
    EXPECT_FALSE(Painted(canvas, 996, 0));
    for (int x = 997; x <= 1004; ++x) {
        EXPECT_EQ(canvas.Pixel(x, 0), kSumColour) << x;
    }
    EXPECT_FALSE(Painted(canvas, 1005, 0));
    EXPECT_EQ(canvas.Pixel(1010, 0), kCursorColour);  // the new line covers its points
}

TEST_F(PartialRepaintTest, FittedBandCoversTheChannelsOfSeveralPixels) {
    host.client = {1024, 768};  // four channels a pixel: w = 4, h = 2
    const RgbCanvas canvas = PaintAfterMove(1001, 1100);
    // Channels 997..1005 lie on pixels 249..251.
    EXPECT_FALSE(Painted(canvas, 248, kEmptyRow));
    EXPECT_EQ(canvas.Pixel(249, kEmptyRow), kFieldColour);
    EXPECT_EQ(canvas.Pixel(251, kEmptyRow), kFieldColour);
    EXPECT_FALSE(Painted(canvas, 252, kEmptyRow));
    // Points of channels 992..1011: pixels 248..252.
    EXPECT_FALSE(Painted(canvas, 247, 0));
    EXPECT_EQ(canvas.Pixel(248, 0), kSumColour);
    EXPECT_EQ(canvas.Pixel(252, 0), kSumColour);
    EXPECT_FALSE(Painted(canvas, 253, 0));
}

TEST_F(PartialRepaintTest, ClientWiderThanTheFieldGivesFiveChannelBands) {
    host.client = {8192, 768};  // w = 0: two pixels a channel
    const RgbCanvas canvas = PaintAfterMove(1000, 1100);
    EXPECT_FALSE(Painted(canvas, 1995, kEmptyRow));
    EXPECT_EQ(canvas.Pixel(1996, kEmptyRow), kFieldColour);  // channel 998
    EXPECT_EQ(canvas.Pixel(2005, kEmptyRow), kFieldColour);  // channel 1002
    EXPECT_FALSE(Painted(canvas, 2006, kEmptyRow));
    // Points of channels 997..1004 on the second pixel of each.
    EXPECT_FALSE(Painted(canvas, 1993, 0));
    EXPECT_EQ(canvas.Pixel(1995, 0), kSumColour);
    EXPECT_EQ(canvas.Pixel(2009, 0), kSumColour);
    EXPECT_FALSE(Painted(canvas, 2011, 0));
}

TEST_F(PartialRepaintTest, PartialPaintHappensOnceThenTheWholeFieldAgain) {
    host.client = {1024, 768};
    PaintAfterMove(1000, 1100);
    EXPECT_EQ(Panel().m_bPartialRedraw, 0);
    const RgbCanvas canvas = Paint(kBlack);
    EXPECT_EQ(canvas.Pixel(600, kEmptyRow), kFieldColour);
}

TEST_F(PartialRepaintTest, OutsideMeasureModeTheWholeFieldIsPainted) {
    host.client = {1024, 768};
    Panel().m_bMeasure = 0;
    const RgbCanvas canvas = PaintAfterMove(1000, 1100);
    EXPECT_EQ(canvas.Pixel(600, kEmptyRow), kFieldColour);
    EXPECT_EQ(Panel().m_bPartialRedraw, 1);
}

// Only the new cursor line differs: it is drawn over the points that were
// there, which the partial paint does not redraw.
TEST_F(PartialRepaintTest, MouseDragEndsAsAFullPaintWouldApartFromTheNewLine) {
    host.client = {1024, 768};
    const RgbCanvas before = Paint();
    view.OnMouseMove(MK_LBUTTON, {300, 100});
    RgbCanvas partial = before;
    view.OnPaint(partial);
    const RgbCanvas full = Paint();
    int differing = 0;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            differing += (x != 300 && partial.Pixel(x, y) != full.Pixel(x, y)) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(partial.Pixel(300, 0), kCursorColour);
    EXPECT_EQ(full.Pixel(300, 0), kSumColour);
}

}  // namespace
}  // namespace qv::test

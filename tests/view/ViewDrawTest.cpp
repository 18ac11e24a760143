#include <gtest/gtest.h>

#include "ViewFixture.h"

namespace qv::test {
namespace {

// Zoomed over a client area as large as the field plus its bottom row: pixels
// are logical coordinates.
class ViewDrawTest : public ViewFixture {
protected:
    void OneToOne() {
        host.client = {4096, 800};
        view.OnToggleZoom();
    }
    void AllCurvesAtTheTop() {
        for (std::size_t i = 0; i < kChannels; ++i) {
            Data().AaAntiCoinc()[i] = 500;
            Data().AaCoinc()[i] = 500;
            Data().Qv1[i] = i % 2 == 0 ? 10 : 20;
            Data().Qv2[i] = i % 2 == 0 ? 30 : 40;
        }
        Recompute();
    }
};

TEST_F(ViewDrawTest, NewDocumentDrawsEveryCurveOnTheBottomRow) {
    OneToOne();
    const RgbCanvas canvas = Paint();
    // The last of the five plotted, Qv2, covers the others.
    EXPECT_EQ(canvas.Pixel(0, 768), kQv2Colour);
    EXPECT_EQ(canvas.Pixel(4095, 768), kQv2Colour);
    EXPECT_EQ(canvas.Pixel(500, 767), kFieldColour);
}

TEST_F(ViewDrawTest, FillReachesOneRowBelowTheFieldAndNoFurther) {
    OneToOne();
    Panel().m_bShowQv1 = Panel().m_bShowQv2 = Panel().m_bShowSum = 0;
    Panel().m_bShowCoinc = Panel().m_bShowAntiCoinc = 0;
    const RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(500, 768), kFieldColour);
    EXPECT_EQ(canvas.Pixel(500, 769), kWindowBackground);
}

TEST_F(ViewDrawTest, SumAtItsMaximumIsDrawnAtTheTop) {
    OneToOne();
    Data().AaAntiCoinc()[100] = 300;
    Data().AaCoinc()[100] = 700;
    Recompute();
    Panel().m_bShowAntiCoinc = 0;
    Panel().m_bShowCoinc = 0;
    const RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(100, 0), kSumColour);
}

TEST_F(ViewDrawTest, AaParts) {
    OneToOne();
    Data().AaAntiCoinc()[100] = 250;
    Data().AaCoinc()[100] = 750;
    Recompute();
    const RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(100, 0), kSumColour);
    EXPECT_EQ(canvas.Pixel(100, 768 - 192), kAntiCoincColour);
    EXPECT_EQ(canvas.Pixel(100, 768 - 576), kCoincColour);
}

TEST_F(ViewDrawTest, QvMinimumAtTheBottomAndMaximumAtTheTop) {
    OneToOne();
    Data().Qv1.fill(900);
    Data().Qv1[10] = 1000;
    Data().Qv2.fill(7);  // flat
    Recompute();
    Panel().m_bShowQv2 = 0;
    RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(10, 0), kQv1Colour);
    EXPECT_EQ(canvas.Pixel(11, 768), kQv1Colour);
    Panel().m_bShowQv2 = 1;
    Panel().m_bShowQv1 = 0;
    canvas = Paint();
    EXPECT_EQ(canvas.Pixel(10, 768), kQv2Colour);
    EXPECT_EQ(canvas.Pixel(10, 0), kFieldColour);
}

TEST_F(ViewDrawTest, PointsAreDrawnInTheFixedOrder) {
    OneToOne();
    AllCurvesAtTheTop();
    // Sum, anticoincidence and coincidence at 1000 of 1000 would all be at the
    // top for an equal split; make the parts the maximum instead.
    Data().AaAntiCoinc().front() = 1000;
    Data().AaCoinc().front() = 0;
    Recompute();
    Panel().m_bShowQv1 = 0;
    Panel().m_bShowQv2 = 0;
    const RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(0, 0), kAntiCoincColour);  // drawn after the sum
}

TEST_F(ViewDrawTest, PointsLieOnTheCursorLines) {
    OneToOne();
    AllCurvesAtTheTop();
    const RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(1000, 0), kSumColour);
    EXPECT_EQ(canvas.Pixel(1000, 384), kCoincColour);  // over the equal anticoincidence
    EXPECT_EQ(canvas.Pixel(1000, 1), kCursorColour);
    EXPECT_EQ(canvas.Pixel(3000, 767), kCursorColour);
    EXPECT_EQ(canvas.Pixel(3000, 768), kQv2Colour);
    EXPECT_EQ(canvas.Pixel(1001, 1), kFieldColour);
}

TEST_F(ViewDrawTest, AllCurvesHiddenLeavesFieldAndCursors) {
    OneToOne();
    AllCurvesAtTheTop();
    Panel().m_bShowSum = Panel().m_bShowCoinc = Panel().m_bShowAntiCoinc = 0;
    Panel().m_bShowQv1 = Panel().m_bShowQv2 = 0;
    const RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(500, 0), kFieldColour);
    EXPECT_EQ(canvas.Pixel(500, 768), kFieldColour);
    EXPECT_EQ(canvas.Pixel(1000, 0), kCursorColour);
}

TEST_F(ViewDrawTest, NoCursorLinesOutsideMeasureMode) {
    OneToOne();
    Panel().OnHide();
    const RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(1000, 300), kFieldColour);
}

TEST_F(ViewDrawTest, FittedModeFillsTheWholeClientArea) {
    host.client = {1000, 500};
    const RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(0, 0), kFieldColour);
    EXPECT_EQ(canvas.Pixel(999, 499), kFieldColour);
    // Cursor 1000 of 4096 channels over 1000 pixels: ceil(1001000 / 4096) - 1.
    EXPECT_EQ(canvas.Pixel(244, 250), kCursorColour);
    EXPECT_EQ(canvas.Pixel(244, 499), kCursorColour);
}

TEST_F(ViewDrawTest, FittedModeScalesPointsIndependentlyInXAndY) {
    host.client = {2048, 384};
    Data().Qv1[4095] = 100;
    Recompute();
    const RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(2047, 0), kQv1Colour);
}

TEST_F(ViewDrawTest, ZoomedModeFollowsTheScrollPosition) {
    host.client = {500, 400};
    view.OnToggleZoom();
    host.scroll = {900, 368};
    const RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(100, 0), kCursorColour);  // channel 1000
    EXPECT_EQ(canvas.Pixel(100, 399), kCursorColour);
    EXPECT_EQ(canvas.Pixel(101, 0), kFieldColour);
    EXPECT_EQ(canvas.Pixel(3, 399), kFieldColour);  // y 767: the bottom points lie below
}

TEST_F(ViewDrawTest, PaintClearsThePendingDraw) {
    Panel().m_bPartialRedraw = 0;
    view.OnMouseMove(MK_LBUTTON, {100, 10});
    ASSERT_TRUE(view.IsDrawPending());
    Paint();
    EXPECT_FALSE(view.IsDrawPending());
}

}  // namespace
}  // namespace qv::test

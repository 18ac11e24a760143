#include <gtest/gtest.h>

#include "ViewFixture.h"

namespace qv::test {
namespace {

// Fitted over 1024 pixels: four channels a pixel.
class CursorTest : public ViewFixture {
protected:
    CursorTest() { host.invalidations.clear(); }
    // A move that the view paints before the next one arrives.
    void Drag(unsigned buttons, int x) {
        view.OnMouseMove(buttons, {x, 50});
        Paint();
    }
    int Left() { return Panel().m_nLeftCursor; }
    int Right() { return Panel().m_nRightCursor; }
};

TEST_F(CursorTest, LeftButtonMovesTheLeftCursor) {
    view.OnMouseMove(MK_LBUTTON, {200, 50});
    EXPECT_EQ(Left(), 800);
    EXPECT_EQ(Right(), 3000);
    EXPECT_EQ(Panel().m_nOldLeft, 1000);
    EXPECT_EQ(Panel().m_nOldRight, 3000);
    EXPECT_EQ(Panel().m_bPartialRedraw, 1);
    EXPECT_TRUE(view.IsDrawPending());
    EXPECT_EQ(host.invalidations, std::vector<bool>{false});
}

TEST_F(CursorTest, LeftCursorPushesTheRightOneThenTheRightButtonSeparatesThem) {
    Drag(MK_LBUTTON, 900);
    EXPECT_EQ(Left(), 3600);
    EXPECT_EQ(Right(), 3600);
    Drag(MK_RBUTTON, 1000);
    EXPECT_EQ(Left(), 3600);
    EXPECT_EQ(Right(), 4000);
}

TEST_F(CursorTest, RightCursorPushesTheLeftOne) {
    Drag(MK_RBUTTON, 100);
    EXPECT_EQ(Left(), 400);
    EXPECT_EQ(Right(), 400);
    Drag(MK_LBUTTON, 50);
    EXPECT_EQ(Left(), 200);
    EXPECT_EQ(Right(), 400);
}

TEST_F(CursorTest, BothButtonsPutBothCursorsOnTheChannel) {
    Drag(MK_LBUTTON | MK_RBUTTON, 500);
    EXPECT_EQ(Left(), 2000);
    EXPECT_EQ(Right(), 2000);
}

TEST_F(CursorTest, MovesWithoutAButtonAreIgnored) {
    view.OnMouseMove(0, {500, 50});
    EXPECT_EQ(Left(), 1000);
    EXPECT_FALSE(view.IsDrawPending());
    EXPECT_TRUE(host.invalidations.empty());
}

TEST_F(CursorTest, MovesOutsideMeasureModeAreIgnored) {
    Panel().OnHide();
    view.OnMouseMove(MK_LBUTTON, {500, 50});
    EXPECT_EQ(Left(), 1000);
    EXPECT_FALSE(view.IsDrawPending());
}

TEST_F(CursorTest, MovesWhileAPaintIsPendingAreDropped) {
    view.OnMouseMove(MK_LBUTTON, {100, 50});
    view.OnMouseMove(MK_LBUTTON, {150, 50});
    view.OnMouseMove(MK_RBUTTON, {900, 50});
    EXPECT_EQ(Left(), 400);
    EXPECT_EQ(Right(), 3000);
    EXPECT_EQ(Panel().GetDlgItemText(IDC_LEFT_CURSOR), "400");
    EXPECT_EQ(host.invalidations.size(), 1u);
    Paint();
    view.OnMouseMove(MK_LBUTTON, {150, 50});
    EXPECT_EQ(Left(), 600);
    EXPECT_EQ(Panel().m_nOldLeft, 400);
}

TEST_F(CursorTest, ButtonReleasedDuringADroppedMoveLeavesTheCursors) {
    view.OnMouseMove(MK_LBUTTON, {100, 50});
    view.OnMouseMove(MK_LBUTTON, {120, 50});
    Paint();
    view.OnMouseMove(0, {130, 50});
    EXPECT_EQ(Left(), 400);
}

TEST_F(CursorTest, MoveRefreshesTheReadouts) {
    Data().Qv1[800] = 77;
    Drag(MK_LBUTTON, 200);
    EXPECT_EQ(Panel().m_dwLeftQv1, 77u);
    EXPECT_EQ(Panel().GetDlgItemText(IDC_LEFT_QV1), "77");
    EXPECT_EQ(Panel().GetDlgItemText(IDC_CURSOR_SPAN), "2200");
}

TEST_F(CursorTest, FittedChannelIsProportionalToThePixel) {
    Drag(MK_LBUTTON, 0);
    EXPECT_EQ(Left(), 0);
    Drag(MK_RBUTTON, 1023);
    EXPECT_EQ(Right(), 4092);
    host.client = {1000, 600};
    Drag(MK_RBUTTON, 999);
    EXPECT_EQ(Right(), 4091);  // 999 * 4.096 = 4091.9
}

TEST_F(CursorTest, ZoomedChannelIsThePixelPlusTheScrollPosition) {
    view.OnToggleZoom();
    host.scroll = {2000, 0};
    Drag(MK_LBUTTON, 37);
    EXPECT_EQ(Left(), 2037);
}

TEST_F(CursorTest, ZoomedClientWiderThanTheFieldStopsAtTheLastChannel) {
    host.client = {5000, 900};
    view.OnToggleZoom();
    Drag(MK_RBUTTON, 4500);
    EXPECT_EQ(Right(), 4095);
    EXPECT_EQ(Panel().GetDlgItemText(IDC_RIGHT_CURSOR), "4095");
}

TEST_F(CursorTest, PointsLeftOfTheClientAreaGiveChannelZero) {
    view.OnToggleZoom();
    Drag(MK_LBUTTON, -20);
    EXPECT_EQ(Left(), 0);
}

}  // namespace
}  // namespace qv::test

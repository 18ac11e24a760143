#include <gtest/gtest.h>

#include "ViewFixture.h"
#include "document/CommandIds.h"

namespace qv::test {
namespace {

using ViewModesTest = ViewFixture;

const ScrollSizes kZoomedBars{{4096, 768}, {409, 76}, {40, 7}};

TEST_F(ViewModesTest, StartsFittedWithoutScrollBarsAndRepaints) {
    EXPECT_FALSE(view.IsZoomed());
    EXPECT_FALSE(host.scrollBars.has_value());
    EXPECT_EQ(host.invalidations, std::vector<bool>{true});
}

TEST_F(ViewModesTest, CreationStartsTheTimer) {
    EXPECT_TRUE(ui.HasTimer(103));
    EXPECT_EQ(ui.TimerPeriod(103), 1500u);
    EXPECT_TRUE(ui.FireTimer(103));  // the tick is a quiet hook for now
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(ViewModesTest, FailedWindowCreationDoesNothingElse) {
    HeadlessUi otherUi;
    FakeHost otherHost;
    CQvView other(otherUi, otherHost);
    EXPECT_FALSE(other.Create([] { return false; }));
    EXPECT_TRUE(otherUi.ModelessCreated().empty());
    EXPECT_FALSE(otherUi.HasTimer(103));
    EXPECT_EQ(other.DataParams().m_bMeasure, 0);
}

TEST_F(ViewModesTest, TimerEndsWithTheView) {
    HeadlessUi otherUi;
    FakeHost otherHost;
    {
        CQvView other(otherUi, otherHost);
        other.Create([] { return true; });
    }
    EXPECT_FALSE(otherUi.HasTimer(103));
}

TEST_F(ViewModesTest, ZoomShowsScrollBarsOverTheWholeField) {
    EXPECT_TRUE(view.OnCmdMsg(ID_TOGGLE_ZOOM));
    EXPECT_TRUE(view.IsZoomed());
    ASSERT_TRUE(host.scrollBars.has_value());
    EXPECT_EQ(*host.scrollBars, kZoomedBars);
    EXPECT_EQ(host.invalidations.back(), true);
}

TEST_F(ViewModesTest, ZoomTwiceReturnsToFittedWithScrollBarsRemoved) {
    view.OnCmdMsg(ID_TOGGLE_ZOOM);
    host.scroll = {1200, 100};
    view.OnCmdMsg(ID_TOGGLE_ZOOM);
    EXPECT_FALSE(view.IsZoomed());
    EXPECT_FALSE(host.scrollBars.has_value());
    EXPECT_EQ(host.scroll, (CPoint{0, 0}));
    const RgbCanvas canvas = Paint();
    EXPECT_EQ(canvas.Pixel(1023, 599), kFieldColour);  // fitted again
}

TEST_F(ViewModesTest, ZoomKeepsItsModeForTheNextDocument) {
    view.OnToggleZoom();
    doc.OnNewDocument();
    view.OnInitialUpdate();
    EXPECT_TRUE(view.IsZoomed());
    EXPECT_EQ(*host.scrollBars, kZoomedBars);
}

TEST_F(ViewModesTest, InitialUpdateRefreshesTheReadoutsAndShowsThePanel) {
    Data().Qv1[1000] = 9;
    Panel().ShowWindow(ShowCommand::Hide);
    view.OnInitialUpdate();
    EXPECT_EQ(Panel().GetDlgItemText(IDC_LEFT_QV1), "9");
    EXPECT_TRUE(Panel().IsWindowVisible());
}

TEST_F(ViewModesTest, InitialUpdateLeavesAHiddenPanelHiddenOutsideMeasureMode) {
    Panel().OnHide();
    view.OnInitialUpdate();
    EXPECT_FALSE(Panel().IsWindowVisible());
}

TEST(ScrollModesTest, ScrollPositionStaysInsideTheTotal) {
    EXPECT_EQ(ClampScrollPosition({4096, 768}, {1000, 600}, {5000, -3}), (CPoint{3096, 0}));
    EXPECT_EQ(ClampScrollPosition({4096, 768}, {5000, 900}, {10, 10}), (CPoint{0, 0}));
}

}  // namespace
}  // namespace qv::test

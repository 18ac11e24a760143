#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "../editors/EditorFixture.h"
#include "view/SliderAdjustDlg.h"
#include "view/SliderAdjustTemplate.h"

namespace qv::test {
namespace {

// Anticoincidence then coincidence; the service measures their sum.
std::vector<std::uint32_t> Spectra() {
    return std::vector<std::uint32_t>(8192, 0);
}
void Fill(std::vector<std::uint32_t>& aa, int first, int last, std::uint32_t counts) {
    for (int c = first; c <= last; ++c) {
        aa[static_cast<std::size_t>(c)] = counts;
    }
}

TEST(MeasurePeak, TwoSeparatedRunsWithTheirTailsBelowTheCutoff) {
    auto aa = Spectra();
    Fill(aa, 100, 110, 3);
    aa[105] = 15;
    aa[4096 + 105] = 10;  // the coincidence half counts too: 25 in channel 105
    Fill(aa, 300, 320, 1);
    aa[310] = 40;
    const PeakSearch first = MeasurePeak(aa, 0, 20);
    ASSERT_TRUE(first.complete);
    EXPECT_EQ(first.peak.left, 100);
    EXPECT_EQ(first.peak.right, 110);
    EXPECT_EQ(first.peak.scope, 11);
    EXPECT_EQ(first.peak.integral, 10u * 3 + 25);
    EXPECT_EQ(first.peak.max, 25u);
    EXPECT_NEAR(*first.peak.mean, 105.0, 1e-9);  // symmetric about 105
    EXPECT_EQ(first.next, 110);
    const PeakSearch second = MeasurePeak(aa, first.next + 1, 20);
    ASSERT_TRUE(second.complete);
    EXPECT_EQ(second.peak.left, 300);
    EXPECT_EQ(second.peak.right, 320);
    EXPECT_EQ(second.peak.scope, 21);
    EXPECT_EQ(second.peak.integral, 20u + 40);
    EXPECT_EQ(second.peak.max, 40u);
}

// Sample deviation with divisor total - 1: counts 1, 2, 1 at 9, 10, 11 give
// sqrt((1 + 0 + 1) / 3).
TEST(MeasurePeak, StandardDeviationIsTheSampleDeviationOfTheChannel) {
    auto aa = Spectra();
    aa[9] = 1;
    aa[10] = 2;
    aa[11] = 1;
    const PeakSearch s = MeasurePeak(aa, 0, 2);
    ASSERT_TRUE(s.complete);
    EXPECT_NEAR(*s.peak.stdDev, std::sqrt(2.0 / 3.0), 1e-12);
}

TEST(MeasurePeak, PeakRunningDownToChannelZeroStartsAtOne) {
    auto aa = Spectra();
    Fill(aa, 0, 30, 5);
    const PeakSearch s = MeasurePeak(aa, 0, 5);
    EXPECT_EQ(s.peak.left, 1);
    EXPECT_EQ(s.peak.right, 30);
}

TEST(MeasurePeak, NoPeakAndAPeakRunningToTheEndStoreNothingOrOnlyTheLeft) {
    auto aa = Spectra();
    Fill(aa, 10, 20, 5);
    const PeakSearch none = MeasurePeak(aa, 0, 6);
    EXPECT_FALSE(none.leftFound);
    EXPECT_EQ(none.next, 4095);
    // Ending at 4094 with channel 4095 empty is still open; one channel
    // shorter it closes; a peak only in channel 4095 is not searched.
    Fill(aa, 4000, 4094, 9);
    const PeakSearch open = MeasurePeak(aa, 0, 9);
    EXPECT_TRUE(open.leftFound);
    EXPECT_FALSE(open.complete);
    EXPECT_EQ(open.peak.left, 4000);
    EXPECT_EQ(open.next, 4095);
    aa[4094] = 0;
    const PeakSearch closed = MeasurePeak(aa, 0, 9);
    ASSERT_TRUE(closed.complete);
    EXPECT_EQ(closed.peak.right, 4093);
    EXPECT_EQ(closed.next, 4093);
    auto last = Spectra();
    last[4095] = 9;
    EXPECT_FALSE(MeasurePeak(last, 0, 9).leftFound);
}

TEST(MeasurePeak, OneCountHasNoDeviationAndCutoffZeroOnAnEmptyChannelNoMean) {
    auto aa = Spectra();
    aa[50] = 1;
    const PeakSearch one = MeasurePeak(aa, 40, 1);
    ASSERT_TRUE(one.complete);
    EXPECT_EQ(one.peak.integral, 1u);
    EXPECT_TRUE(one.peak.mean.has_value());
    EXPECT_FALSE(one.peak.stdDev.has_value());
    const PeakSearch empty = MeasurePeak(aa, 10, 0);
    ASSERT_TRUE(empty.complete);
    EXPECT_EQ(empty.peak.left, 11);
    EXPECT_EQ(empty.peak.scope, 0);
    EXPECT_EQ(empty.peak.integral, 0u);
    EXPECT_FALSE(empty.peak.mean.has_value());
}

class SliderAdjustTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        slider.m_bOpen = 1;
    }
    // The clear's waits need the card's time to move while they poll.
    void InstallPollingCard(const VirtualSpectrometerOptions& options = {}) {
        card = std::make_unique<VirtualSpectrometer>(stepping, options);
        HardwareGlobals::Instance().SetBus(*card);
        HardwareGlobals::Instance().SetClock(stepping);
    }
    SteppingTickClock stepping{5, 1000};
    CSliderAdjustDlg slider{ui};
};

TEST_F(SliderAdjustTest, SingleUpdateMeasuresBothPeaksAtTheNextRefreshOnly) {
    auto aa = Spectra();
    Fill(aa, 100, 110, 25);
    Fill(aa, 300, 320, 30);
    slider.OnInitDialog();
    slider.TickUpdate(aa);
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_LEFT1), "100");
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_RIGHT2), "320");
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_MEAN1), " 105.00");
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_INTEGRAL2), "630");
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_TICKS_LEFT), "0");
    Fill(aa, 100, 110, 0);
    slider.TickUpdate(aa);  // nothing armed: the boxes stay
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_LEFT1), "100");
}

TEST_F(SliderAdjustTest, SinglePeakLeavesTheSecondPeaksBoxesAlone) {
    auto aa = Spectra();
    slider.m_nLeft2 = 77;
    slider.m_strMean2 = "old";
    Fill(aa, 100, 110, 25);
    slider.OnInitDialog();
    slider.TickUpdate(aa);
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_LEFT2), "77");
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_MEAN2), "old");
}

TEST_F(SliderAdjustTest, UndefinedResultsShowADash) {
    auto aa = Spectra();
    aa[50] = 1;
    slider.m_nNoiseCutoff = 1;
    slider.OnInitDialog();
    slider.TickUpdate(aa);
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_STDDEV1), "-");
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_MEAN1), "  50.00");
}

TEST_F(SliderAdjustTest, RefusedDesiredTicksArmNothing) {
    slider.OnInitDialog();
    slider.m_nTicksLeft = 0;
    slider.UpdateData(false);
    for (const char* ticks : {"0", "65"}) {
        slider.TypeText(IDC_SLIDER_TICKS_DESIRED, ticks);
        slider.OnCommand(IDC_SLIDER_TICK_UPDATE);
        EXPECT_EQ(slider.m_bClearPending, 0);
        EXPECT_EQ(slider.m_nTicksLeft, 0);
    }
    ASSERT_EQ(ui.Boxes().size(), 2u);
    EXPECT_EQ(ui.Boxes()[0].text, "Please enter an integer between 1 and 64.");
    slider.TypeText(IDC_SLIDER_TICKS_DESIRED, "4");
    slider.TypeText(IDC_SLIDER_CUTOFF, "1024");
    slider.OnCommand(IDC_SLIDER_SINGLE_UPDATE);
    EXPECT_EQ(ui.Boxes().back().text, "Please enter an integer between 0 and 1023.");
    EXPECT_EQ(slider.m_nTicksLeft, 0);
}

// The armed clear comes first: one refresh clears, the next ones measure.
TEST_F(SliderAdjustTest, TickUpdateClearsTheAnalyserThenMeasuresTheDesiredRefreshes) {
    auto aa = Spectra();
    Fill(aa, 100, 110, 25);
    slider.OnInitDialog();
    slider.TypeText(IDC_SLIDER_TICKS_DESIRED, "2");
    slider.OnCommand(IDC_SLIDER_TICK_UPDATE);
    InstallPollingCard();
    recorder.Clear();
    slider.TickUpdate(aa);
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_LEFT1), "0");  // not measured yet
    const auto writes = recorder.Writes();
    ASSERT_GE(writes.size(), 3u);
    EXPECT_EQ(writes.front().bytes, (std::vector<std::uint8_t>{0x00, 0x02}));
    EXPECT_EQ(writes[writes.size() - 2].bytes, (std::vector<std::uint8_t>{0x00, 0x03}));
    EXPECT_EQ(writes.back().bytes, (std::vector<std::uint8_t>{0x00, 0x02}));
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_STATUS), "");
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
    slider.TickUpdate(aa);
    slider.TickUpdate(aa);
    EXPECT_EQ(slider.m_nTicksLeft, 0);
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_LEFT1), "100");
}

TEST_F(SliderAdjustTest, ClearOnALockedCardSaysLocked) {
    card->SetLocked(true);
    slider.ClearAa();
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_STATUS), "Locked");
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
}

TEST_F(SliderAdjustTest, ClearWithoutACardShowsTheTransfersNumber) {
    RemoveCard();
    slider.ClearAa();
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_STATUS), "TimOut:33");
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
}

// A card that never confirms the clear must not hold the program (and the
// suspend flag) for ever: the wait ends after its bound.
TEST_F(SliderAdjustTest, ClearThatNeverFinishesEndsAfterItsBound) {
    VirtualSpectrometerOptions options;
    options.faults.clearsNeverFinish = true;
    InstallPollingCard(options);
    slider.ClearAa();
    EXPECT_EQ(slider.GetDlgItemText(IDC_SLIDER_STATUS), "TimOut:clear");
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
    EXPECT_GT(stepping.GetTickCount(), 1000u + 11000u);
}

}  // namespace
}  // namespace qv::test

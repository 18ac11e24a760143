#include "view/PulseRateDlg.h"

#include <gtest/gtest.h>

#include "../editors/EditorFixture.h"
#include "view/PulseRateTemplate.h"

namespace qv::test {
namespace {

TEST(PulseRates, AreTheTwentyFourBitFieldsAtSixteenAndNineteen) {
    std::array<std::uint8_t, kCounterStartsLength> bytes{};
    bytes.fill(0xAA);
    bytes[16] = 0x10;
    bytes[17] = 0x27;
    bytes[18] = 0x00;
    bytes[19] = 0xFF;
    bytes[20] = 0xFF;
    bytes[21] = 0xFF;
    const PulseRates rates = RatesFromCounters(bytes);
    EXPECT_EQ(rates.Qv1, 10000);
    EXPECT_EQ(rates.Qv2, 16777215);
}

class PulseRateTest : public EditorTest {};

// One plain command-6 read, no status read before it; the boxes show the card's rates.
TEST_F(PulseRateTest, UpdateReadsTheCountersBlockOnceAndShowsTheRates) {
    card->SetSourceRate(50000);
    std::uint8_t go[] = {0x33, 0x00};  // both Qv memories counting
    CHardwarePort port;
    port.WriteCommand(kCmdWriteRunControl, go, 2);
    clock.Advance(3000);
    CPulseRateDlg window(ui);
    recorder.Clear();
    window.UpdateRates(0);
    ASSERT_EQ(recorder.entries.size(), 1u);
    EXPECT_EQ(recorder.entries[0].command, kCmdReadCounterStarts);
    EXPECT_EQ(recorder.entries[0].bytes.size(), 22u);
    std::array<std::uint8_t, kCounterStartsLength> read{};
    std::copy(recorder.entries[0].bytes.begin(), recorder.entries[0].bytes.end(), read.begin());
    EXPECT_EQ(window.GetDlgItemText(IDC_RATE_QV1), std::to_string(RatesFromCounters(read).Qv1));
    EXPECT_EQ(window.GetDlgItemText(IDC_RATE_QV2), std::to_string(RatesFromCounters(read).Qv2));
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(PulseRateTest, NonZeroFlagReadsNothing) {
    CPulseRateDlg window(ui);
    recorder.Clear();
    window.UpdateRates(1);
    EXPECT_TRUE(recorder.entries.empty());
}

TEST_F(PulseRateTest, TypedTextIsOverwrittenAtTheNextUpdate) {
    CPulseRateDlg window(ui);
    window.UpdateData(false);
    window.TypeText(IDC_RATE_QV1, "123");
    window.UpdateRates(0);
    EXPECT_NE(window.GetDlgItemText(IDC_RATE_QV1), "123");
}

TEST_F(PulseRateTest, FailedReadKeepsTheRatesAndSaysSoEveryTime) {
    RemoveCard();
    CPulseRateDlg window(ui);
    window.m_nRateQv1 = 5;
    window.UpdateData(false);
    window.UpdateRates(0);
    window.UpdateRates(0);
    ASSERT_EQ(ui.Boxes().size(), 2u);
    EXPECT_EQ(ui.Boxes()[0].text, "Hardware communication timeout error.");
    EXPECT_EQ(ui.Boxes()[0].caption, "");
    EXPECT_EQ(ui.Boxes()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(window.GetDlgItemText(IDC_RATE_QV1), "5");
}

TEST(PulseRateTemplateTest, LargeArialWindowWithTwoRightAlignedBoxes) {
    const DialogTemplate& t = PulseRateTemplate();
    EXPECT_EQ(t.caption, "Qv: pulses/sec");
    EXPECT_EQ(t.font.face, "Arial");
    EXPECT_EQ(t.font.points, 72);
    EXPECT_EQ(t.rect.cx, 51);
    EXPECT_EQ(t.rect.cy, 30);
    for (const int id : {IDC_RATE_QV2, IDC_RATE_QV1}) {
        ASSERT_NE(t.Find(id), nullptr);
        EXPECT_NE(t.Find(id)->style & kRightAlign, 0u);
    }
}

}  // namespace
}  // namespace qv::test

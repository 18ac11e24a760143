#include <gtest/gtest.h>

#include <limits>

#include "document/QvDoc.h"
#include "editors/DataRemarkDlg.h"
#include "editors/DataRemarkTemplate.h"
#include "editors/RemarkSummary.h"
#include "framework/HeadlessUi.h"

namespace qv::test {
namespace {

TEST(RemarkSummaryTexts, DurationsPadTheDayFieldAndTruncate) {
    EXPECT_EQ(DurationText(90061), "  1-01:01:01");
    EXPECT_EQ(DurationText(3600), "  0-01:00:00");
    EXPECT_EQ(DurationText(86400), "  1-00:00:00");
    EXPECT_EQ(DurationText(0), "  0-00:00:00");
    EXPECT_EQ(DurationText(100 * 86400 + 59), "100-00:00:59");
    // Toward zero: every field of a negative count is negative or zero.
    EXPECT_EQ(DurationText(-90061), " -1--1:-1:-1");
}

TEST(RemarkSummaryTexts, HighVoltageIsClampedToTheStoredLimits) {
    HighVoltageBlock hv{0, 923, 47, 1.4067f, -31.57f};
    EXPECT_EQ(HighVoltageText(hv), "  34.5");  // 47 * 1.4067 - 31.57
    hv.HvDesired = 2000;
    EXPECT_EQ(HighVoltageText(hv), "1266.8");  // 923 * 1.4067 - 31.57
    hv.HvDesired = 500;
    hv.HvSlope = 2.0f;
    hv.HvOffset = 0.25f;
    EXPECT_EQ(HighVoltageText(hv), "1000.2");
}

TEST(RemarkSummaryTexts, VelocityUsesTheStoredCoefficientOfItsRange) {
    VibratorBlock v{};
    v.HighRange = 1;
    v.AmplitudeDesired = 500;
    v.VelocityCoefHigh = 0.106f;
    v.VelocityCoefLow = 0.014f;
    EXPECT_EQ(VelocityText(v), "H/ 500 -->  53.000");
    v.HighRange = 0;
    EXPECT_EQ(VelocityText(v), "L/ 500 -->   7.000");
}

TEST(RemarkSummaryTexts, FrequencyFromTheDividers) {
    VibratorBlock v{};
    EXPECT_NEAR(DriveFrequency(v), 0.357628f, 1e-6f);
    v.L = 240;
    EXPECT_NEAR(DriveFrequency(v), 5.72205f, 1e-5f);
    v.K = 3;
    v.L = 255;
    EXPECT_NEAR(DriveFrequency(v), 52.3158f, 1e-3f);
}

TEST(RemarkSummaryTexts, CyclesAreStartMinusCurrentModuloTwoToThe32) {
    SettingsImage s{};
    s.CountersTimers.Qv2CyclesStart = 5;
    s.CountersTimers.Qv2CyclesCurrent = 7;
    s.CountersTimers.Qv1CyclesStart = 1000;
    s.CountersTimers.Qv1CyclesCurrent = 1000;
    s.CountersTimers.AaLiveTime = 0x7FFFFFFF;
    s.CountersTimers.AaDeadTime = 1;
    const RemarkSummary r = SummariseSettings(s);
    EXPECT_EQ(r.Qv2Cycles, 0xFFFFFFFEu);
    EXPECT_EQ(r.Qv1Cycles, 0u);
    EXPECT_EQ(r.TotalSeconds, std::numeric_limits<std::int32_t>::min());
}

class DataRemarkTest : public ::testing::Test {
protected:
    DataRemarkTest() {
        doc.OnNewDocument();
        panel.Create();
        panel.SetDocument(&doc);
    }
    SettingsImage& Settings() { return doc.Data().Settings; }
    std::string Box(int id) const { return panel.GetDlgItemText(id); }

    HeadlessUi ui;
    CQvDoc doc{ui, std::nullopt};
    CDataRemarkDlg panel{ui};
};

TEST_F(DataRemarkTest, TheTemplateIsAPopupWithoutCloseBox) {
    const DialogTemplate& t = DataRemarkTemplate();
    EXPECT_EQ(t.id, 130);
    EXPECT_EQ(t.caption, "Data remark");
    EXPECT_FALSE(t.systemMenu);
    EXPECT_EQ(t.rect.x, 30);
    EXPECT_EQ(t.rect.y, 30);
    EXPECT_EQ(t.rect.cx, 297);
    EXPECT_EQ(t.rect.cy, 210);
    const ControlTemplate* remark = t.Find(IDC_REMARK_TEXT);
    ASSERT_NE(remark, nullptr);
    EXPECT_EQ(remark->kind, ControlKind::MultiLineEdit);
    EXPECT_NE(remark->style & kWantReturn, 0u);
    EXPECT_NE(remark->style & kVScroll, 0u);
}

TEST_F(DataRemarkTest, RefreshShowsTheRunAndTheSettingsAsStored) {
    CountersTimersBlock& c = Settings().CountersTimers;
    c.SecondsSinceDelta = 90061;
    c.UniversalTime = 59;
    c.AaLiveTime = 3600;
    c.AaDeadTime = 86400;
    c.Qv2CyclesStart = 40;
    c.Qv2CyclesCurrent = 15;
    c.Qv1CyclesStart = 12;
    c.Qv1CyclesCurrent = 12;
    Settings().Analogue.Gain = 63;
    Settings().Analogue.SignalTau = 2;
    Settings().Analogue.SnglChnlUpLimit = 2150;
    Settings().Analogue.SnglChnlLowLimit = 1850;
    Settings().HighVoltage = {0, 923, 47, 1.4067f, -31.57f};
    VibratorBlock& v = Settings().Vibrator;
    v.HighRange = 1;
    v.AmplitudeDesired = 500;
    v.VelocityCoefHigh = 0.106f;
    v.K = 0;
    v.L = 240;
    // The document's description must not be used: the stored copies count.
    doc.Description().Velocity.VelocityCoefHigh = 1.0f;
    doc.Description().Hv.HvLowerLimit = 0;
    doc.Data().Remark = "57Fe in \xE9poxy";
    panel.RefreshFromDocument();

    EXPECT_EQ(Box(IDC_REMARK_TEXT), "57Fe in \xC3\xA9poxy");
    EXPECT_EQ(Box(IDC_REMARK_SWITCH_SECONDS), "90061");
    EXPECT_EQ(Box(IDC_REMARK_SWITCH_DURATION), "  1-01:01:01");
    EXPECT_EQ(Box(IDC_REMARK_UNIVERSAL_SECONDS), "59");
    EXPECT_EQ(Box(IDC_REMARK_UNIVERSAL_DURATION), "  0-00:00:59");
    EXPECT_EQ(Box(IDC_REMARK_LIVE_DURATION), "  0-01:00:00");
    EXPECT_EQ(Box(IDC_REMARK_DEAD_DURATION), "  1-00:00:00");
    EXPECT_EQ(Box(IDC_REMARK_TOTAL_SECONDS), "90000");
    EXPECT_EQ(Box(IDC_REMARK_TOTAL_DURATION), "  1-01:00:00");
    EXPECT_EQ(Box(IDC_REMARK_QV2_CYCLES), "25");
    EXPECT_EQ(Box(IDC_REMARK_QV1_CYCLES), "0");
    EXPECT_EQ(Box(IDC_REMARK_GAIN), "63");
    EXPECT_EQ(Box(IDC_REMARK_SIGNAL_TAU), "2");
    EXPECT_EQ(Box(IDC_REMARK_SCH_UP), "2150");
    EXPECT_EQ(Box(IDC_REMARK_SCH_LOW), "1850");
    EXPECT_EQ(Box(IDC_REMARK_HIGH_VOLTAGE), "  34.5");
    EXPECT_EQ(Box(IDC_REMARK_VELOCITY), "H/ 500 -->  53.000");
    EXPECT_EQ(Box(IDC_REMARK_FREQUENCY), "5.72205");
    EXPECT_EQ(panel.Control(IDC_REMARK_TEXT).textLimit, 250);
}

TEST_F(DataRemarkTest, RefreshReplacesTextThatWasNotAccepted) {
    doc.Data().Remark = "stored";
    panel.RefreshFromDocument();
    panel.TypeText(IDC_REMARK_TEXT, "typed, not accepted");
    panel.RefreshFromDocument();
    EXPECT_EQ(Box(IDC_REMARK_TEXT), "stored");
}

TEST_F(DataRemarkTest, AcceptStoresTheRemarkAndMarksTheDocumentOnlyWhenItChanged) {
    panel.RefreshFromDocument();
    panel.TypeText(IDC_REMARK_TEXT, "\xE2\x82\xAC 12 \xC3\xA9t\xC3\xA9\r\nline two");
    panel.OnCommand(IDC_REMARK_ACCEPT);
    EXPECT_EQ(doc.Data().Remark, "\x80 12 \xE9t\xE9\r\nline two");
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    panel.OnCommand(IDC_REMARK_ACCEPT);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(DataRemarkTest, TypedTextStopsAtTwoHundredFifty) {
    panel.RefreshFromDocument();
    panel.TypeText(IDC_REMARK_TEXT, std::string(300, 'x'));
    EXPECT_EQ(Box(IDC_REMARK_TEXT).size(), 250u);
}

TEST_F(DataRemarkTest, AnOverlongRemarkFromAFileGetsTheMessageAndIsStillStoredWhole) {
    doc.Data().Remark = std::string(260, 'r');
    panel.RefreshFromDocument();
    EXPECT_EQ(Box(IDC_REMARK_TEXT).size(), 260u);
    panel.SetDlgItemText(IDC_REMARK_TEXT, std::string(255, 's'));
    panel.OnCommand(IDC_REMARK_ACCEPT);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Please enter no more than 250 characters.");
    EXPECT_EQ(doc.Data().Remark, std::string(255, 's'));
}

TEST_F(DataRemarkTest, CharactersADataFileCannotHoldAreRefusedAndNamed) {
    doc.Data().Remark = "kept";
    panel.RefreshFromDocument();
    panel.TypeText(IDC_REMARK_TEXT, "T = 4.2 K \xE2\x9C\x93 \xCE\xB1-Fe");
    panel.OnCommand(IDC_REMARK_ACCEPT);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text,
              "Windows-1252 cannot hold \xE2\x9C\x93 (U+2713), \xCE\xB1 (U+03B1); the remark "
              "was not stored.");
    EXPECT_EQ(ui.Boxes()[0].caption, "Data remark");
    EXPECT_EQ(ui.Boxes()[0].owner, &panel);
    EXPECT_EQ(doc.Data().Remark, "kept");
    EXPECT_FALSE(doc.IsModified());
    // The text stays in the box to be corrected.
    EXPECT_EQ(Box(IDC_REMARK_TEXT), "T = 4.2 K \xE2\x9C\x93 \xCE\xB1-Fe");
}

TEST_F(DataRemarkTest, FullShortTogglesBetweenTheTwoHeightsAndHideHides) {
    panel.ShowWindow(ShowCommand::Restore);
    EXPECT_TRUE(panel.IsFullSize());
    panel.OnCommand(IDC_REMARK_FULL_SHORT);
    EXPECT_EQ(panel.Height(), 150);
    EXPECT_FALSE(panel.IsFullSize());
    panel.OnCommand(IDC_REMARK_FULL_SHORT);
    EXPECT_EQ(panel.Height(), 366);
    panel.OnCommand(IDC_REMARK_HIDE);
    EXPECT_FALSE(panel.IsWindowVisible());
    EXPECT_TRUE(panel.IsFullSize());
    // Closing, Enter and Escape leave it as it is.
    panel.ShowWindow(ShowCommand::Show);
    panel.OnClose();
    panel.OnCommand(IDOK);
    panel.OnCommand(IDCANCEL);
    EXPECT_TRUE(panel.IsWindowVisible());
}

}  // namespace
}  // namespace qv::test

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "document/Measurement.h"
#include "document/QvDoc.h"
#include "document/TempDir.h"
#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"

namespace qv {
namespace {

void ExpectStats(const SpectrumStatistics& s, std::uint32_t aaMax, std::uint32_t qv2Range,
                 std::uint32_t qv2Min, std::uint32_t qv1Range, std::uint32_t qv1Min) {
    EXPECT_EQ(s.AaSumMaximum, aaMax);
    EXPECT_EQ(s.Qv2Range, qv2Range);
    EXPECT_EQ(s.Qv2Minimum, qv2Min);
    EXPECT_EQ(s.Qv1Range, qv1Range);
    EXPECT_EQ(s.Qv1Minimum, qv1Min);
}

TEST(Statistics, AllZeroSpectra) {
    const auto m = std::make_unique<Measurement>();
    ExpectStats(ComputeStatistics(*m), 1, 1, 0, 1, 0);
}

TEST(Statistics, FlatSpectrumHasRangeOneAndItsValueAsMinimum) {
    auto m = std::make_unique<Measurement>();
    m->Qv2.fill(7);
    m->Qv1.fill(0xFFFFFFFFu);
    ExpectStats(ComputeStatistics(*m), 1, 1, 7, 1, 0xFFFFFFFFu);
}

TEST(Statistics, RangesAndMinimumsBelongToTheirOwnSpectrum) {
    auto m = std::make_unique<Measurement>();
    m->Qv2.fill(50);
    m->Qv2[0] = 100;
    m->Qv2[4095] = 3;
    m->Qv1.fill(1000);
    m->Qv1[2048] = 0;
    m->Qv1[17] = 0xFFFFFFFFu;
    ExpectStats(ComputeStatistics(*m), 1, 97, 3, 0xFFFFFFFFu, 0);
}

TEST(Statistics, AaSumWrapsAt32BitsBeforeItIsCompared) {
    auto m = std::make_unique<Measurement>();
    // 0xFFFFFFF0 + 0x20 wraps to 0x10: smaller than channel 9's 11 + 12.
    m->AaAntiCoinc()[0] = 0xFFFFFFF0u;
    m->AaCoinc()[0] = 0x20;
    m->AaAntiCoinc()[9] = 11;
    m->AaCoinc()[9] = 12;
    EXPECT_EQ(ComputeStatistics(*m).AaSumMaximum, 23u);
    // Each half alone counts in the sum, up to the last channel.
    m->AaCoinc()[4095] = 0xFFFFFFFEu;
    EXPECT_EQ(ComputeStatistics(*m).AaSumMaximum, 0xFFFFFFFEu);
    // A sum that wraps to exactly 0 everywhere leaves the maximum at 1.
    auto w = std::make_unique<Measurement>();
    w->AaAntiCoinc()[5] = 0x80000000u;
    w->AaCoinc()[5] = 0x80000000u;
    EXPECT_EQ(ComputeStatistics(*w).AaSumMaximum, 1u);
}

class DocStatistics : public ::testing::Test {
protected:
    void SetUp() override { HardwareGlobals::Instance().Reset(); }
    void TearDown() override { HardwareGlobals::Instance().Reset(); }
    HeadlessUi ui;
};

TEST_F(DocStatistics, NewDocumentClearsSpectraButKeepsStampAndSettings) {
    auto doc = std::make_unique<CQvDoc>(ui, std::nullopt);
    Measurement& m = doc->Data();
    m.Remark = "old remark";
    m.Stamp = {1, 2, 3};
    m.Settings.CountersTimers.Qv2CyclesStart = 100;
    m.Settings.Analogue.Gain = 9;
    m.Settings.HighVoltage.HvSlope = 2.5f;
    m.Settings.Vibrator.L = 77;
    m.Qv2.fill(5);
    m.Qv1.fill(6);
    m.Aa.fill(7);
    doc->UpdateStatistics();
    const SettingsImage settings = m.Settings;
    doc->Description().HardwareVersion1 = 42;

    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_EQ(m.Remark, "");
    for (std::size_t c = 0; c < kChannels; ++c) {
        ASSERT_EQ(m.Qv2[c] | m.Qv1[c] | m.AaAntiCoinc()[c] | m.AaCoinc()[c], 0u) << c;
    }
    ExpectStats(doc->Statistics(), 1, 1, 0, 1, 0);
    EXPECT_EQ(m.Stamp.Version1, 1);
    EXPECT_EQ(m.Stamp.Version3, 3);
    EXPECT_EQ(std::memcmp(&m.Settings, &settings, sizeof settings), 0);
    EXPECT_EQ(doc->Description().HardwareVersion1, 42);
    EXPECT_EQ(doc->GetTitle(), "Untitled");
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocStatistics, LoadedFileGivesTheSameStatisticsAsTheCapture) {
    test::TempDir dir;
    auto captured = std::make_unique<CQvDoc>(ui, std::nullopt);
    Measurement& m = captured->Data();
    for (std::size_t c = 0; c < kChannels; ++c) {
        m.Qv2[c] = 1000 + static_cast<std::uint32_t>(c % 97);
        m.Qv1[c] = 20 + static_cast<std::uint32_t>(c % 13);
        m.AaAntiCoinc()[c] = static_cast<std::uint32_t>(c);
        m.AaCoinc()[c] = static_cast<std::uint32_t>(c * 3);
    }
    captured->UpdateStatistics();
    ExpectStats(captured->Statistics(), 4 * 4095, 96, 1000, 12, 20);
    ASSERT_TRUE(captured->OnSaveDocument(dir / "stats.qv"));

    auto loaded = std::make_unique<CQvDoc>(ui, std::nullopt);
    ASSERT_TRUE(loaded->OnOpenDocument(dir / "stats.qv"));
    ExpectStats(loaded->Statistics(), 4 * 4095, 96, 1000, 12, 20);
    EXPECT_TRUE(ui.Boxes().empty());
}

}  // namespace
}  // namespace qv

#include "analysis/SettingsDiff.h"

#include <gtest/gtest.h>

namespace qv::analysis {
namespace {

SettingsImage Base() {
    SettingsImage s{};
    s.HighVoltage = {600, 1000, 100, 2.0f, 50.0f};
    s.Vibrator = {512, 80, 1, 0.106f, 0.014f, 0, 0, 240};
    s.Analogue.SignalTau = 1;
    return s;
}

TEST(DiffSettings, SameSettingsDifferInNothing) {
    EXPECT_TRUE(DiffSettings(Base(), Base()).empty());
}

TEST(DiffSettings, OneFieldOfEachBlockByNameWithPhysicalValues) {
    SettingsImage b = Base();
    b.CountersTimers.Qv1CyclesStart = 5000;
    b.Analogue.SignalTau = 3;
    b.HighVoltage.HvDesired = 700;
    b.Vibrator.L = 250;
    const auto d = DiffSettings(Base(), b);
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d[0].block, "counters");
    EXPECT_EQ(d[0].field, "Qv1CyclesStart");
    EXPECT_EQ(d[0].b, "5000");
    EXPECT_TRUE(d[0].unit.empty());
    EXPECT_EQ(d[1].field, "SignalTau");
    EXPECT_EQ(d[1].a, "1");
    EXPECT_EQ(d[1].b, "3");
    EXPECT_EQ(d[2].field, "HvDesired");
    EXPECT_EQ(d[2].unit, "V");
    EXPECT_DOUBLE_EQ(*d[2].aPhysical, 1250.0);
    EXPECT_DOUBLE_EQ(*d[2].bPhysical, 1450.0);
    EXPECT_EQ(d[3].field, "L");
    EXPECT_EQ(d[3].unit, "Hz");
    EXPECT_NEAR(*d[3].aPhysical, 5.72205, 1e-5);
    EXPECT_NEAR(*d[3].bPhysical, 24e6 / (32.0 * 6 * 8192), 1e-9);
}

TEST(DiffSettings, VelocityFollowsTheRangeAndTheStoredCoefficient) {
    SettingsImage b = Base();
    b.Vibrator.HighRange = 0;
    const auto d = DiffSettings(Base(), b);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].unit, "mm/s");
    EXPECT_NEAR(*d[0].aPhysical, 8.48, 1e-5);
    EXPECT_NEAR(*d[0].bPhysical, 1.12, 1e-5);
}

TEST(DiffSettings, HighVoltageIsClampedToTheStoredLimits) {
    HighVoltageBlock hv{1023, 1000, 100, 2.0f, 50.0f};
    EXPECT_DOUBLE_EQ(HighVoltageVolts(hv), 2050.0);
    hv.HvDesired = 3;
    EXPECT_DOUBLE_EQ(HighVoltageVolts(hv), 250.0);
}

TEST(DiffSettings, FloatsCompareByTheirBits) {
    SettingsImage b = Base();
    b.HighVoltage.HvOffset = -0.0f;
    SettingsImage a = Base();
    a.HighVoltage.HvOffset = 0.0f;
    const auto d = DiffSettings(a, b);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].b, "-0");
}

TEST(Summarize, CyclesTimesAndCounts) {
    Measurement m;
    m.Settings = Base();
    m.Settings.CountersTimers.Qv1CyclesStart = 1000;
    m.Settings.CountersTimers.Qv1CyclesCurrent = 400;
    m.Settings.CountersTimers.Qv2CyclesStart = 10;
    m.Settings.CountersTimers.Qv2CyclesCurrent = 20;  // wrapped: counts on as unsigned
    m.Settings.CountersTimers.AaLiveTime = 100;
    m.Settings.CountersTimers.AaDeadTime = 5;
    m.Qv1.fill(3);
    m.Aa[0] = 4000000000u;
    m.Aa[kChannels] = 4000000000u;
    const RunSummary s = Summarize(m);
    EXPECT_EQ(s.qv1Cycles, 600u);
    EXPECT_EQ(s.qv2Cycles, 4294967286u);
    EXPECT_NEAR(s.sweepSeconds, 600 / 5.72205, 1e-3);
    EXPECT_EQ(s.aaLiveSeconds, 100);
    EXPECT_EQ(s.aaRealSeconds, 105);
    EXPECT_EQ(s.qv1Counts, 3u * 4096);
    EXPECT_EQ(s.aaCounts, 8000000000u);
}

}  // namespace
}  // namespace qv::analysis

#include "analysis/Calibration.h"

#include <gtest/gtest.h>

#include "SyntheticSpectrum.h"

namespace qv::analysis {
namespace {

using testing::AlphaIronFoil;
using testing::Line;
using testing::Measure;
using testing::Sweep;

constexpr double kPointTolerance = 0.1;    // channels
constexpr double kScaleTolerance = 0.002;  // relative

void ExpectRecovered(const Sweep& sweep, const std::vector<std::uint32_t>& counts) {
    const CalibrationOutcome outcome = Calibrate(counts);
    ASSERT_TRUE(outcome.calibration) << outcome.error;
    const Calibration& cal = *outcome.calibration;
    EXPECT_NEAR(cal.foldingPoint, sweep.foldingPoint, kPointTolerance);
    EXPECT_NEAR(cal.velocityPerChannel / sweep.VelocityPerChannel(), 1.0, kScaleTolerance);
    EXPECT_NEAR(cal.VelocityAt(sweep.ZeroChannel()), 0.0, 0.01);
    EXPECT_NEAR(cal.maxVelocity, sweep.maxVelocity, 0.02);
    EXPECT_NEAR(cal.minVelocity, sweep.minVelocity, 0.02);
    for (int k = 0; k < kSextetLines; ++k) {
        EXPECT_NEAR(cal.lines[k].position, kAlphaIronLines[k], 0.02) << "line " << k;
    }
}

struct Case {
    const char* name;
    Sweep sweep;
    double baseline;
    unsigned seed;
};

class RecoversTheScale : public ::testing::TestWithParam<Case> {};

TEST_P(RecoversTheScale, FoldingPointScaleAndLines) {
    Sweep sweep = GetParam().sweep;
    sweep.baseline = GetParam().baseline;
    ExpectRecovered(sweep, Measure(sweep, AlphaIronFoil(), GetParam().seed));
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, RecoversTheScale,
    ::testing::Values(Case{"Clean", Sweep{}, 1e6, 0}, Case{"Noisy", Sweep{}, 2e4, 7},
                      Case{"VeryNoisy", Sweep{}, 3e3, 11},
                      Case{"ShiftedPoint", Sweep{4096, 2311.3, 8, -8}, 1e5, 3},
                      Case{"ShiftedBelowMiddle", Sweep{4096, 1500.8, 8, -8}, 1e5, 4},
                      Case{"IntegerPoint", Sweep{4096, 2048.0, 8, -8}, 1e5, 5},
                      Case{"Asymmetric", Sweep{4096, 2047.5, 9.5, -6.8}, 1e5, 6},
                      Case{"ShiftedAndAsymmetric", Sweep{4096, 1811.6, 6.9, -10.2}, 5e4, 8},
                      Case{"SlowSweep", Sweep{4096, 2047.5, 6.2, -6.2}, 1e5, 9},
                      Case{"FastSweep", Sweep{4096, 2047.5, 12, -12}, 1e5, 10}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qv::analysis

namespace qv::analysis {
namespace {

using testing::AlphaIronFoil;
using testing::Line;
using testing::Measure;
using testing::Sweep;

TEST(RefusesWithoutSextet, EmptySpectrum) {
    EXPECT_EQ(Calibrate(std::vector<std::uint32_t>(4096, 0)).error, kNoCounts);
}

TEST(RefusesWithoutSextet, TooFewCounts) {
    Sweep sweep;
    sweep.baseline = 2;
    const CalibrationOutcome outcome = Calibrate(Measure(sweep, AlphaIronFoil(), 5));
    EXPECT_FALSE(outcome.calibration);
    EXPECT_FALSE(outcome.error.empty());
}

TEST(RefusesWithoutSextet, FlatNoise) {
    Sweep sweep;
    sweep.baseline = 1e5;
    const CalibrationOutcome outcome = Calibrate(Measure(sweep, {}, 5));
    EXPECT_FALSE(outcome.calibration);
    EXPECT_EQ(outcome.error, kTooNoisy);
}

TEST(RefusesWithoutSextet, SingleLineAbsorber) {
    Sweep sweep;
    sweep.baseline = 1e5;
    const CalibrationOutcome outcome = Calibrate(Measure(sweep, {{-0.1, 0.3, 0.2}}, 5));
    EXPECT_FALSE(outcome.calibration);
}

TEST(RefusesWithoutSextet, QuadrupoleDoublet) {
    Sweep sweep;
    sweep.baseline = 1e5;
    const CalibrationOutcome outcome =
        Calibrate(Measure(sweep, {{-0.9, 0.2, 0.15}, {0.9, 0.2, 0.15}}, 5));
    EXPECT_FALSE(outcome.calibration);
}

TEST(RefusesWithoutSextet, SextetOfAnotherSplitting) {
    // Hematite-like: the six lines at almost twice alpha-iron's field, equal
    // spacing ratios broken by a quadrupole shift.
    Sweep sweep;
    sweep.maxVelocity = 12;
    sweep.minVelocity = -12;
    sweep.baseline = 1e5;
    std::vector<Line> lines;
    const double positions[] = {-8.2, -4.6, -1.4, 2.2, 5.0, 8.6};
    for (int k = 0; k < kSextetLines; ++k) {
        lines.push_back({positions[k], 0.05 * kAlphaIronIntensities[k], 0.15});
    }
    const CalibrationOutcome outcome = Calibrate(Measure(sweep, lines, 5));
    EXPECT_FALSE(outcome.calibration);
    EXPECT_EQ(outcome.error, kNotAlphaIron);
}

TEST(FoldOnVelocity, SumsMirrorPartnersOnAnAscendingAxis) {
    Sweep sweep;
    sweep.baseline = 1e5;
    const auto counts = Measure(sweep, AlphaIronFoil(), 3);
    const auto cal = Calibrate(counts).calibration;
    ASSERT_TRUE(cal);
    const auto points = FoldOnVelocity(counts, *cal);
    ASSERT_EQ(points.size(), 2048u);
    // Folded about 2047.5: the slowest point pairs channels 2047 and 2048.
    EXPECT_EQ(points.front().counts, double(counts[2047]) + counts[2048]);
    EXPECT_EQ(points.back().counts, double(counts[0]) + counts[4095]);
    EXPECT_LT(points.front().velocity, -7.9);
    EXPECT_GT(points.back().velocity, 7.9);
    for (std::size_t i = 1; i < points.size(); ++i) {
        ASSERT_GT(points[i].velocity, points[i - 1].velocity);
    }
}

}  // namespace
}  // namespace qv::analysis

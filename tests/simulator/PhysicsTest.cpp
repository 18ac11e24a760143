#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "SimulatorFixture.h"
#include "simulator/AlphaIronAbsorber.h"
#include "simulator/PulseHeightModel.h"
#include "simulator/RandomSource.h"

namespace qv::sim {
namespace {

std::size_t PeakChannel(const std::vector<std::uint32_t>& words, std::size_t from, std::size_t to) {
    return static_cast<std::size_t>(
        std::max_element(words.begin() + static_cast<std::ptrdiff_t>(from),
                         words.begin() + static_cast<std::ptrdiff_t>(to)) -
        words.begin());
}

std::vector<std::uint32_t> AaSum(const std::vector<std::uint32_t>& aa) {
    std::vector<std::uint32_t> sum(4096);
    for (std::size_t c = 0; c < 4096; ++c) {
        sum[c] = aa[c] + aa[4096 + c];
    }
    return sum;
}

TEST(PoissonTest, MeanAndVarianceFollowTheMean) {
    RandomSource random(7);
    for (const double mean : {0.3, 5.0, 50.0, 5000.0}) {
        double sum = 0, squares = 0;
        constexpr int kDraws = 20000;
        for (int i = 0; i < kDraws; ++i) {
            const double x = random.Poisson(mean);
            sum += x;
            squares += x * x;
        }
        const double m = sum / kDraws;
        const double variance = squares / kDraws - m * m;
        EXPECT_NEAR(m, mean, 5 * std::sqrt(mean / kDraws)) << mean;
        EXPECT_NEAR(variance / mean, 1.0, 0.08) << mean;
    }
}

TEST(AbsorberTest, SixDipsAtTheAlphaIronLines) {
    for (const double line : {-5.312, -3.076, -0.840, 0.840, 3.076, 5.312}) {
        EXPECT_LT(AlphaIronTransmission(line), AlphaIronTransmission(line + 0.5));
        EXPECT_LT(AlphaIronTransmission(line), AlphaIronTransmission(line - 0.5));
    }
    EXPECT_LT(AlphaIronTransmission(5.312), AlphaIronTransmission(0.840));  // 3 : 1
    EXPECT_GT(AlphaIronTransmission(8.0), 0.99);
}

TEST(PulseHeightTest, LinePositionFollowsHighVoltageAndGain) {
    const double base = ChannelOfEnergy(14.4, 600, 63);
    EXPECT_NEAR(base, 2000, 10);
    EXPECT_GT(ChannelOfEnergy(14.4, 650, 63), base * 1.6);
    EXPECT_NEAR(ChannelOfEnergy(14.4, 600, 31), base / 2, 1);
    EXPECT_NEAR(ChannelOfEnergy(6.3, 600, 63) / base, 6.3 / 14.4, 1e-9);
}

TEST_F(SimulatorTest, AnalyserSplitsTheLineAtTheSingleChannelWindow) {
    RunControl(0x00, 0x0C);
    AdvanceSeconds(20);
    const auto aa = Spectrum(kSelectAa);
    for (std::size_t c = 0; c < 4096; ++c) {
        const bool inside = c >= 1800 && c <= 2200;
        if (inside) {
            EXPECT_EQ(aa[c], 0u) << c;
        } else {
            EXPECT_EQ(aa[4096 + c], 0u) << c;
        }
    }
    EXPECT_NEAR(static_cast<double>(PeakChannel(aa, 4096 + 1800, 4096 + 2200) - 4096), 2000, 30);
    EXPECT_NEAR(static_cast<double>(PeakChannel(aa, 300, 1500)), 875, 30);  // 6.3 keV
    EXPECT_EQ(aa[100], 0u);  // below the trigger level
}

TEST_F(SimulatorTest, HigherVoltageMovesTheLinesUp) {
    Write(kCmdWriteHighVoltage, {0x00, 0xC0, 0x3A, 0xF2});  // 570 at once
    RunControl(0x00, 0x0C);
    AdvanceSeconds(20);
    const auto sum = AaSum(Spectrum(kSelectAa));
    const double expected = ChannelOfEnergy(14.4, 570, 63);
    EXPECT_NEAR(static_cast<double>(PeakChannel(sum, 1000, 4000)), expected, 30);
}

TEST_F(SimulatorTest, InputBShowsTheTwoPulseStimulator) {
    auto analogue = Read(kCmdReadAnalogue, kAnalogueReadLength);
    analogue[0] &= ~0x01;
    analogue.insert(analogue.begin(), {0xFF, 0xFF});
    Write(kCmdWriteAnalogue, analogue);
    RunControl(0x00, 0x0C);
    AdvanceSeconds(10);
    const auto sum = AaSum(Spectrum(kSelectAa));
    EXPECT_NEAR(static_cast<double>(PeakChannel(sum, 500, 2000)), 1000, 2);
    EXPECT_NEAR(static_cast<double>(PeakChannel(sum, 2000, 4096)), 3000, 2);
    EXPECT_EQ(sum[1020], 0u);  // narrow, and nothing else
    EXPECT_EQ(sum[2000], 0u);
}

TEST_F(SimulatorTest, LaserCountsFollowTheSpeed) {
    RunControl(0x30, 0x00);
    AdvanceSeconds(10);
    RunControl(0x10, 0x00);
    AdvanceSeconds(1);
    const auto qv2 = Spectrum(kSelectQv2);
    // The triangle: fastest at both ends and the middle, standing still at a quarter.
    EXPECT_GT(qv2[5], 20 * qv2[1024]);
    EXPECT_GT(qv2[2047], 20 * qv2[3071]);
    EXPECT_NEAR(static_cast<double>(qv2[512]) / qv2[5], 0.5, 0.02);
}

TEST_F(SimulatorTest, AmplitudeRampChangesTheSweep) {
    // Gain and bias stay as they are; the amplitude walks from 80 to 0 at speed
    // 15, one step every 75 ms, in the high range.
    Write(kCmdWriteVibrator,
          {0x00, 0xC0, 0x00, 0x72, 0x00, 0xC0, 0x00, 0xE4, 0x00, 0xC8, 0x00, 0x78});
    const auto amplitude = [this] {
        const auto r = Read(kCmdReadVibrator, kVibratorLength);
        return static_cast<int>(r[4] | (r[5] & 0x03) << 8);
    };
    const auto total = [](const std::vector<std::uint32_t>& s) {
        return std::accumulate(s.begin(), s.end(), 0ull);
    };
    EXPECT_EQ(amplitude(), 80);  // not at once
    RunControl(0x30, 0x00);
    AdvanceSeconds(3);
    RunControl(0x10, 0x00);
    EXPECT_NEAR(amplitude(), 40, 1);
    AdvanceSeconds(1);
    const auto ramping = total(Spectrum(kSelectQv2));
    EXPECT_GT(ramping, 0ull);  // the drive still sweeps while the amplitude walks down
    AdvanceSeconds(2);
    EXPECT_EQ(amplitude(), 0);
    RunControl(0x30, 0x00);
    AdvanceSeconds(5);
    EXPECT_EQ(RunState()[0] & 0x30, 0x30);  // Qv2 enabled and counting
    RunControl(0x10, 0x00);
    AdvanceSeconds(1);
    // Counting went on; the drive that stands still adds nothing.
    EXPECT_EQ(total(Spectrum(kSelectQv2)), ramping);
}

TEST_F(SimulatorTest, TriggerLevelCutsTheNoise) {
    auto analogue = Read(kCmdReadAnalogue, kAnalogueReadLength);
    analogue[10] = 0;  // trigger level 0
    analogue.insert(analogue.begin(), {0xFF, 0xFF});
    Write(kCmdWriteAnalogue, analogue);
    RunControl(0x00, 0x0C);
    AdvanceSeconds(10);
    EXPECT_GT(Spectrum(kSelectAa)[5], 100u);
}

}  // namespace
}  // namespace qv::sim

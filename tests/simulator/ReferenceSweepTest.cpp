#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "SimulatorFixture.h"
#include "simulator/ReferenceTable.h"
#include "simulator/VelocityModel.h"

namespace qv::sim {
namespace {

using Samples = std::array<std::uint16_t, ReferenceTable::kSamples>;

// The wire form as the card's manual gives it, written out here on purpose
// rather than taken from the card: six bits per byte in bits 7..2.
std::vector<std::uint8_t> Wire(const Samples& t) {
    std::vector<std::uint8_t> wire(ReferenceTable::kWireSize);
    for (std::size_t i = 0; i < t.size(); ++i) {
        wire[2 * i] = static_cast<std::uint8_t>((t[i] & 0x3F) << 2);
        wire[2 * i + 1] = static_cast<std::uint8_t>(((t[i] >> 6) & 0x3F) << 2);
    }
    return wire;
}

// One cosine period: top at the wrap, bottom in the middle.
Samples CosineWave() {
    Samples t{};
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double phase = 2 * std::numbers::pi * (static_cast<double>(i) + 0.5) / 8192.0;
        t[i] = static_cast<std::uint16_t>(std::lround(2047.5 + 2047.5 * std::cos(phase)));
    }
    return t;
}

TEST(ReferenceTableDecoding, EveryBitOfTheWireFormLandsInItsSample) {
    Samples t{};
    for (std::size_t i = 0; i < t.size(); ++i) {
        t[i] = static_cast<std::uint16_t>((i * 2654435761u) & 0x0FFF);
    }
    ReferenceTable table;
    const auto wire = Wire(t);
    table.Write(std::span<const std::uint8_t, ReferenceTable::kWireSize>(wire.data(), wire.size()));
    for (std::size_t i = 0; i < t.size(); ++i) {
        ASSERT_EQ(table[i], t[i]) << i;
    }
    // The two low bits of each byte carry nothing.
    auto noisy = wire;
    for (auto& b : noisy) {
        b |= 0x03;
    }
    table.Write(
        std::span<const std::uint8_t, ReferenceTable::kWireSize>(noisy.data(), noisy.size()));
    EXPECT_EQ(table[1], t[1]);
}

TEST(VelocityModelTest, ChannelVelocitiesFollowTheTableItWasSent) {
    ReferenceTable table;
    const Samples wave = CosineWave();
    const auto wire = Wire(wave);
    table.Write(std::span<const std::uint8_t, ReferenceTable::kWireSize>(wire.data(), wire.size()));
    const VibratorRegisters vibrator;
    const ChannelVelocities v = ComputeVelocities(table, vibrator);
    ASSERT_GT(v[0], 0);
    for (std::size_t c : {0u, 300u, 512u, 1024u, 2047u, 3000u}) {
        const double sample = (wave[2 * c] + wave[2 * c + 1]) / 2.0;
        EXPECT_NEAR(v[c] / v[0], (sample - 2047.5) / ((wave[0] + wave[1]) / 2.0 - 2047.5), 1e-9);
    }
}

// The interferometer counts fringes in proportion to the speed, so the laser
// spectrum draws |v| along the sweep: the drive follows the table it was sent.
TEST_F(SimulatorTest, SentReferenceIsTheSweepTheLaserSees) {
    Write(kCmdWriteReference, Wire(CosineWave()));
    RunControl(0x30, 0x00);
    AdvanceSeconds(40);
    RunControl(0x10, 0x00);
    AdvanceSeconds(1);
    const auto qv2 = Spectrum(kSelectQv2);
    ASSERT_GT(qv2[0], 200u);
    // A triangle gives 0.5 at an eighth of the period; the cosine cos(pi / 4).
    EXPECT_NEAR(static_cast<double>(qv2[512]) / qv2[0], std::sqrt(0.5), 0.02);
    EXPECT_NEAR(static_cast<double>(qv2[2047]) / qv2[0], 1.0, 0.02);
    EXPECT_LT(qv2[1024], qv2[0] / 50);
}

}  // namespace
}  // namespace qv::sim

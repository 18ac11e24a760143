#include "SimulatorFixture.h"
#include "simulator/ReferenceTable.h"

namespace qv::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST_F(SimulatorTest, AnalogueBlockReadsBackWithoutTheSyncBytes) {
    Bytes write = {0xFF, 0xFF, 0x31, 0x7E, 0xFF, 0x03, 0x12, 0x01, 0xFF,
                   0x0F, 0x00, 0x00, 0xFF, 0x03, 0xFC, 0x7F, 0xFF};
    Write(kCmdWriteAnalogue, write);
    EXPECT_EQ(Read(kCmdReadAnalogue, kAnalogueReadLength), Bytes(write.begin() + 2, write.end()));
}

TEST_F(SimulatorTest, HighVoltageImmediateAtSpeedSixteen) {
    Write(kCmdWriteHighVoltage, {0x00, 0xC0, 0x20, 0xF3});  // desired 800, nibble 15
    EXPECT_EQ(Read(kCmdReadHighVoltage, 4), (Bytes{0x20, 0xC3, 0x20, 0xF3}));
}

TEST_F(SimulatorTest, HighVoltageRampsSpeedTimesFiveMsPerStep) {
    Write(kCmdWriteHighVoltage, {0x00, 0xC0, 0x5C, 0x22});  // desired 604, speed 3
    EXPECT_EQ(Read(kCmdReadHighVoltage, 4)[0], 0x58);       // still 600
    AdvanceMs(14);
    EXPECT_EQ(Read(kCmdReadHighVoltage, 4)[0], 0x58);
    AdvanceMs(200);  // long past the four steps
    EXPECT_EQ(Read(kCmdReadHighVoltage, 4), (Bytes{0x5C, 0xC2, 0x5C, 0x22}));
}

TEST_F(SimulatorTest, HighVoltageRampStopsAtTheDesiredValueGoingDown) {
    Write(kCmdWriteHighVoltage, {0x00, 0xC0, 0x50, 0x02});  // desired 592, speed 1
    AdvanceMs(5 * 3);
    const auto partial = Read(kCmdReadHighVoltage, 4);
    EXPECT_LT(partial[0], 0x58);
    EXPECT_GT(partial[0], 0x50);
    AdvanceMs(1000);
    EXPECT_EQ(Read(kCmdReadHighVoltage, 4)[0], 0x50);
}

TEST_F(SimulatorTest, VibratorRoundTripsWithBiasOffsetAndRange) {
    // gain 1023 at once, amplitude 0 speed 1 low range, bias desired -2048 at once
    const Bytes write = {0x00, 0xC0, 0xFF, 0xF3, 0x00, 0xC0, 0x00, 0x00, 0x00, 0xC8, 0x00, 0xF0};
    Write(kCmdWriteVibrator, write);
    AdvanceMs(10000);
    const Bytes expected = {0xFF, 0xC3, 0xFF, 0xF3, 0x00, 0xC0, 0x00, 0x00, 0x00, 0xC0, 0x00, 0xF0};
    EXPECT_EQ(Read(kCmdReadVibrator, kVibratorLength), expected);
}

TEST_F(SimulatorTest, VibratorHighRangeIsBitTwoOfR7) {
    auto r = Read(kCmdReadVibrator, kVibratorLength);
    EXPECT_EQ(r[7] & 0x04, 0x04);
    r[7] &= ~0x04;
    Write(kCmdWriteVibrator, r);
    EXPECT_EQ(Read(kCmdReadVibrator, kVibratorLength)[7] & 0x04, 0);
}

TEST_F(SimulatorTest, DividersKeepTwoBitsOfK) {
    Write(kCmdWriteDividers, {0xFF, 255});
    EXPECT_EQ(Read(kCmdReadDividers, 2), (Bytes{3, 255}));
}

TEST_F(SimulatorTest, AuxAndDacReadBack) {
    Write(kCmdWriteDac, {0x5A});
    Write(kCmdWriteAux, {1, 2, 3, 4, 255});
    EXPECT_EQ(Read(kCmdReadAux, kAuxLength), (Bytes{1, 2, 3, 4, 255}));
    std::string text;
    std::uint8_t dac = 0;
    EXPECT_EQ(m_port->StatusReadCommand(kCmdReadDac, &dac, 1, text), 0);
    EXPECT_EQ(dac, 0x5A);
}

TEST(ReferenceTableTest, WireFormCarriesSixBitsPerByte) {
    std::array<std::uint16_t, ReferenceTable::kSamples> t{};
    t[0] = 0xFFF;
    t[1] = 0x041;
    const auto wire = ReferenceTable::Encode(t);
    EXPECT_EQ(wire[0], 0xFC);
    EXPECT_EQ(wire[1], 0xFC);
    EXPECT_EQ(wire[2], 0x04);
    EXPECT_EQ(wire[3], 0x04);
    ReferenceTable table;
    table.Write(wire);
    EXPECT_EQ(table[0], 0xFFF);
    EXPECT_EQ(table[1], 0x041);
    EXPECT_EQ(table[2], 0);
}

TEST(ReferenceTableTest, PowerUpTableIsThePlainTriangle) {
    const ReferenceTable table;
    EXPECT_EQ(table[0], 4095);
    EXPECT_EQ(table[4095], 0);
    EXPECT_EQ(table[4096], 0);
    EXPECT_EQ(table[8191], 4095);
}

TEST_F(SimulatorTest, ReferenceWriteThenLockCheck) {
    // A sawtooth, not the power-up triangle, in the wire form built by hand:
    // six bits in bits 7..2 of each byte.
    std::vector<std::uint8_t> wire;
    const auto sample = [](std::size_t i) { return static_cast<int>((i * 3) % 4096); };
    for (std::size_t i = 0; i < ReferenceTable::kSamples; ++i) {
        wire.push_back(static_cast<std::uint8_t>(sample(i) * 4));
        wire.push_back(static_cast<std::uint8_t>((sample(i) / 16) & 0xFC));
    }
    ASSERT_EQ(wire.size(), static_cast<std::size_t>(kReferenceLength));
    EXPECT_EQ(m_port->WriteCommand(kCmdWriteReference, wire.data(), kReferenceLength), 0);
    std::string text;
    EXPECT_EQ(m_port->StatusReadCommand(kCmdLockCheck, nullptr, 0, text), 0);
    EXPECT_EQ(text, "notLocked");
    const ReferenceTable& table = m_card->Card().Reference();
    for (std::size_t i = 0; i < ReferenceTable::kSamples; ++i) {
        ASSERT_EQ(table[i], sample(i)) << i;
    }
    EXPECT_NE(table[4095], ReferenceTable::Triangle()[4095]);
}

}  // namespace
}  // namespace qv::sim

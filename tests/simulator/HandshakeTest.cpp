#include "SimulatorFixture.h"
#include "hardware/CardRegisters.h"

namespace qv::sim {
namespace {

constexpr std::uint16_t kBase = 0x300;

TEST_F(SimulatorTest, IdleCardIsReadyAndTakesBytes) {
    EXPECT_EQ(m_card->In(kBase + 3), kStatusSignature | kStatusReady | kStatusTxe);
}

TEST_F(SimulatorTest, PortsOutsideTheCardFloat) {
    EXPECT_EQ(m_card->In(kBase + 4), 0xFF);
    EXPECT_EQ(m_card->In(kBase), 0xFF);
    EXPECT_EQ(m_card->In(0x200 + 3), 0xFF);
}

TEST_F(SimulatorTest, WritePayloadHoldsReadyLowUntilComplete) {
    m_card->Out(kBase, kCmdWriteHighVoltage);
    EXPECT_EQ(m_card->In(kBase + 3), kStatusSignature | kStatusTxe);
    for (int i = 0; i < kHighVoltageLength; ++i) {
        m_card->Out(kBase, 0xC0);
    }
    EXPECT_EQ(m_card->In(kBase + 3) & kStatusReady, kStatusReady);
}

TEST_F(SimulatorTest, AbandonedPayloadIsDroppedSoTheNextCommandWorks) {
    const std::uint8_t before = Read(kCmdReadHighVoltage, kHighVoltageLength)[2];
    m_card->Out(kBase, kCmdWriteHighVoltage);
    m_card->Out(kBase, 0x11);  // the program gives up after two of four bytes
    m_card->Out(kBase, 0xC0);
    AdvanceMs(50);
    EXPECT_EQ(m_card->In(kBase + 3) & kStatusReady, 0);  // still collecting at 50 ms
    AdvanceMs(1);
    EXPECT_EQ(m_card->In(kBase + 3) & kStatusReady, kStatusReady);
    EXPECT_EQ(Read(kCmdReadHighVoltage, kHighVoltageLength)[2], before);  // nothing applied
}

TEST_F(SimulatorTest, ReplyRaisesRxfUntilTheLastByte) {
    m_card->Out(kBase, kCmdReadDividers);
    EXPECT_EQ(m_card->In(kBase + 3), kStatusSignature | kStatusReady | kStatusTxe | kStatusRxf);
    EXPECT_EQ(m_card->In(kBase + 1), 0);
    EXPECT_EQ(m_card->In(kBase + 1), 240);
    EXPECT_EQ(m_card->In(kBase + 3) & kStatusRxf, 0);
    EXPECT_EQ(m_card->In(kBase + 1), 0);  // nothing waiting: 0, no change
}

TEST_F(SimulatorTest, StatusCommandServesOneAndTwentyThreeBytes) {
    const std::uint8_t alone = Status();
    const auto block = LiveCounters();
    EXPECT_EQ(block[0], alone);
    // The dropped rest of the one-byte read does not disturb the next command.
    EXPECT_EQ(Read(kCmdReadDividers, 2), (std::vector<std::uint8_t>{0, 240}));
}

TEST_F(SimulatorTest, LockCheckHasNoPayload) {
    std::string text;
    EXPECT_EQ(m_port->StatusReadCommand(kCmdLockCheck, nullptr, 0, text), 0);
    EXPECT_EQ(text, "notLocked");
    EXPECT_EQ(m_card->In(kBase + 3), kStatusSignature | kStatusReady | kStatusTxe);
}

TEST_F(SimulatorTest, EveryCommandAnswersWithItsLength) {
    const std::pair<std::uint8_t, int> reads[] = {
        {kCmdReadRunState, 2},  {kCmdReadStatus, 23},     {kCmdReadCounterStarts, 22},
        {kCmdReadAnalogue, 15}, {kCmdReadHighVoltage, 4}, {kCmdReadVibrator, 12},
        {kCmdReadDividers, 2},  {kCmdReadAux, 5},         {kCmdReadDac, 1}};
    for (const auto& [cmd, length] : reads) {
        m_card->Out(kBase, cmd);
        int n = 0;
        while ((m_card->In(kBase + 3) & kStatusRxf) != 0) {
            m_card->In(kBase + 1);
            ++n;
        }
        EXPECT_EQ(n, length) << int{cmd};
    }
}

TEST_F(SimulatorTest, UnknownCommandLeavesTheCardIdle) {
    m_card->Out(kBase, 7);
    EXPECT_EQ(m_card->In(kBase + 3), kStatusSignature | kStatusReady | kStatusTxe);
    m_card->Out(kBase, 22);
    EXPECT_EQ(m_card->In(kBase + 3), kStatusSignature | kStatusReady | kStatusTxe);
}

TEST_F(SimulatorTest, UnknownCommandReadTimesOut) {
    SteppingTickClock stepping;
    HardwareGlobals::Instance().SetClock(stepping);
    std::uint8_t byte = 0;
    EXPECT_EQ(m_port->ReadCommand(1, &byte, 1), 14);
}

TEST_F(SimulatorTest, AnalyserReadoutIs8192WordsAndQvIs4096) {
    for (const std::uint8_t selector : {kSelectAa, kSelectQv1, kSelectQv2}) {
        const std::uint8_t request[] = {kCmdWriteRunControl, 0, selector};
        for (std::uint8_t b : request) {
            m_card->Out(kBase, b);
        }
        int words = 0;
        while ((m_card->In(kBase + 3) & kStatusWord) != 0) {
            for (int i = 0; i < 4; ++i) {
                m_card->In(kBase + 2);
            }
            ++words;
        }
        EXPECT_EQ(words, selector == kSelectAa ? 8192 : 4096);
    }
}

TEST_F(SimulatorTest, ReadSpectrumThroughThePort) {
    const auto aa = Spectrum(kSelectAa);
    const auto qv1 = Spectrum(kSelectQv1);
    EXPECT_EQ(aa.size(), 8192u);
    EXPECT_EQ(qv1[0], 0u);
    EXPECT_EQ(qv1[4095], 0u);
}

TEST_F(SimulatorTest, UnknownSelectorDeliversZeroWords) {
    const auto words = Spectrum(0x50);
    EXPECT_EQ(words[0], 0u);
    EXPECT_EQ(words[4095], 0u);
    EXPECT_EQ(m_card->In(kBase + 3) & kStatusWord, 0);
}

TEST_F(SimulatorTest, CommandByteEndsAReadout) {
    const std::uint8_t request[] = {kCmdWriteRunControl, 0, kSelectQv1};
    for (std::uint8_t b : request) {
        m_card->Out(kBase, b);
    }
    m_card->In(kBase + 2);
    EXPECT_EQ(Read(kCmdReadDividers, 2), (std::vector<std::uint8_t>{0, 240}));
    EXPECT_EQ(m_card->In(kBase + 2), 0);
}

TEST_F(SimulatorTest, OtherPortBase) {
    VirtualSpectrometerOptions options;
    options.portBase = 0x280;
    Install(options);
    HardwareGlobals::Instance().portBase = 0x280;
    m_port = std::make_unique<CHardwarePort>();
    EXPECT_EQ(Read(kCmdReadDividers, 2), (std::vector<std::uint8_t>{0, 240}));
    EXPECT_EQ(m_card->In(0x300 + 3), 0xFF);
}

}  // namespace
}  // namespace qv::sim

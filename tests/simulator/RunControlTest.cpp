#include "SimulatorFixture.h"

namespace qv::sim {
namespace {

using State = std::array<std::uint8_t, 2>;

TEST_F(SimulatorTest, PowerUpAsksForTheIdlePattern) {
    EXPECT_EQ(RunState(), (State{0x00, 0x01}));
    RunControl(0x88, 0x02);
    EXPECT_EQ(RunState(), (State{0x00, 0x00}));
}

TEST_F(SimulatorTest, ClearTakesAFewMillisecondsThenReportsFinished) {
    RunControl(0x88, 0x02);
    RunControl(0xCC, 0x03);
    EXPECT_EQ(RunState()[0] & 0xCC, 0);
    const int ms = PollState([](State s) { return (s[0] & 0xCC) == 0xCC && (s[1] & 0x02); });
    EXPECT_GE(ms, 4);
    EXPECT_LE(ms, 20);
    AdvanceMs(100);
    EXPECT_EQ(RunState()[0] & 0xCC, 0xCC);  // until a write drops the clear bits
    RunControl(0x88, 0x02);
    EXPECT_EQ(RunState(), (State{0x00, 0x00}));
}

TEST_F(SimulatorTest, ClearWithoutArmingIsIgnored) {
    RunControl(0x00, 0x03);
    AdvanceMs(100);
    EXPECT_EQ(RunState()[1] & 0x02, 0);
}

TEST_F(SimulatorTest, ClearAaAsTheSliderServiceDoes) {
    RunControl(0x00, 0x02);
    EXPECT_EQ(RunState()[1] & 0x01, 0);
    RunControl(0x00, 0x03);
    EXPECT_GE(PollState([](State s) { return (s[1] & 0x02) != 0; }), 1);
    RunControl(0x00, 0x02);
    EXPECT_EQ(RunState(), (State{0x00, 0x00}));
}

TEST_F(SimulatorTest, IdleDuringAClearKeepsAskingUntilItIsDone) {
    RunControl(0x00, 0x02);
    RunControl(0x00, 0x03);
    RunControl(0x00, 0x02);  // too early: the clear is still running
    EXPECT_EQ(RunState()[1] & 0x01, 0x01);
    const int ms = PollState([this](State s) {
        if ((s[1] & 0x01) == 0) {
            return true;
        }
        RunControl(0x00, 0x02);
        return false;
    });
    EXPECT_GT(ms, 0);
}

TEST_F(SimulatorTest, ClearEmptiesTheMemory) {
    RunControl(0x33, 0x0C);
    AdvanceSeconds(5);
    RunControl(0x11, 0x08);
    AdvanceSeconds(1);
    EXPECT_GT(Spectrum(kSelectQv1)[100], 0u);
    RunControl(0x88, 0x02);
    RunControl(0x0C, 0x00);
    // The clear takes time and reports its end.
    const int ms = PollState([](State s) { return (s[0] & 0x0C) == 0x0C; });
    EXPECT_GT(ms, 0);
    EXPECT_NE(ms, -1);
    RunControl(0x88, 0x02);
    const auto qv1 = Spectrum(kSelectQv1);
    EXPECT_EQ(std::count(qv1.begin(), qv1.end(), 0u), 4096);
    EXPECT_GT(Spectrum(kSelectQv2)[100], 0u);  // not asked for
}

TEST_F(SimulatorTest, QvStartsAtTheNextSweepBoundary) {
    AdvanceMs(10);
    RunControl(0x33, 0x00);
    EXPECT_EQ(RunState()[0], 0x22);  // enabled, not yet counting
    const int ms = PollState([](State s) { return s[0] == 0x33; });
    EXPECT_GT(ms, 0);
    EXPECT_LE(ms, 175);  // one sweep at L = 240
}

TEST_F(SimulatorTest, CountBitWithoutGoChangesNothing) {
    RunControl(0x22, 0x04);
    AdvanceMs(500);
    EXPECT_EQ(RunState(), (State{0x00, 0x01}));
}

TEST_F(SimulatorTest, AnalyserStartsAndStopsAtOnce) {
    RunControl(0x00, 0x0C);
    EXPECT_EQ(RunState()[1] & 0x04, 0x04);
    RunControl(0x00, 0x08);
    EXPECT_EQ(RunState()[1] & 0x04, 0);
}

TEST_F(SimulatorTest, SuspendedCaptureStopAndRestart) {
    RunControl(0x33, 0x0C);
    PollState([](State s) { return s[0] == 0x33; });
    const State saved = RunState();
    RunControl(0x11, 0x08);
    EXPECT_GE(PollState([](State s) { return (s[0] & 0x11) == 0 && (s[1] & 0x04) == 0; }), 0);
    RunControl(static_cast<std::uint8_t>((saved[0] & 0x22) | 0x11),
               static_cast<std::uint8_t>((saved[1] & 0x04) | 0x08));
    EXPECT_GE(PollState([](State s) { return s[0] == 0x33 && (s[1] & 0x04); }), 0);
}

TEST_F(SimulatorTest, LockFreezesRunControl) {
    m_card->SetLocked(true);
    EXPECT_EQ(Status() & 0x80, 0x80);
    RunControl(0x00, 0x0C);
    EXPECT_EQ(RunState()[1] & 0x04, 0);
    std::string text;
    std::uint8_t dac = 0;
    EXPECT_EQ(m_port->StatusReadCommand(kCmdReadDac, &dac, 1, text), 0);
    EXPECT_EQ(text, " !!Locked");
}

TEST_F(SimulatorTest, ULockLetsRunControlThroughALock) {
    m_card->SetLocked(true);
    Write(kCmdWriteCounters, CountersWrite(0x7E, 0x00, 0x70));
    EXPECT_EQ(Status() & 0xC0, 0xC0);
    RunControl(0x00, 0x0C);
    EXPECT_EQ(RunState()[1] & 0x04, 0x04);
}

}  // namespace
}  // namespace qv::sim

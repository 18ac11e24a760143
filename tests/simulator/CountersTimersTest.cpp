#include "SimulatorFixture.h"

namespace qv::sim {
namespace {

// Offsets into the live block (B2..B24) and the start values (B25..B46).
constexpr std::size_t kPeriod = 1, kUniversal = 3, kAaCount = 6, kQv1Count = 9, kQv2Count = 13,
                      kLive = 17, kDead = 20;
constexpr std::size_t kAaStart = 0, kQv1Start = 3, kQv2Start = 7, kTill = 11, kSinceDelta = 13,
                      kQv1Rate = 16, kQv2Rate = 19;

TEST_F(SimulatorTest, PowerUpCountersInTheirWireForm) {
    const auto live = LiveCounters();
    EXPECT_EQ(Field(live, kPeriod, 2), 599u);
    EXPECT_EQ(Field(live, kAaCount, 3), 0xFFFFFEu);     // 16777215 - 1
    EXPECT_EQ(Field(live, kQv1Count, 4), 0xFFFFFFFDu);  // 4294967295 - 2
    EXPECT_EQ(live[0] & 0x30, 0x30);                    // both sources 1
    const auto starts = StartValues();
    EXPECT_EQ(Field(starts, kTill, 2), 599u);
}

TEST_F(SimulatorTest, StartValuesLoadWithTheSetBits) {
    auto b = CountersWrite(0x7E, 0x70, 0x00);
    b[8] = 9;  // Aa start 10
    b[9] = b[10] = 0;
    b[11] = 3;  // Qv1 start 5
    b[12] = b[13] = b[14] = 0;
    b[15] = 0;  // Qv2 start 2
    b[16] = b[17] = b[18] = 0;
    Write(kCmdWriteCounters, b);
    const auto starts = StartValues();
    EXPECT_EQ(Field(starts, kAaStart, 3), 9u);
    EXPECT_EQ(Field(starts, kQv1Start, 4), 3u);
    EXPECT_EQ(Field(starts, kQv2Start, 4), 0u);
    const auto live = LiveCounters();
    EXPECT_EQ(Field(live, kAaCount, 3), 9u);
    EXPECT_EQ(Field(live, kQv1Count, 4), 3u);
    EXPECT_EQ(Field(live, kQv2Count, 4), 0u);
    EXPECT_EQ(live[0] & 0x30, 0x00);
}

TEST_F(SimulatorTest, UniversalTimeCountsSecondsAndCanBeSet) {
    AdvanceSeconds(7);
    EXPECT_EQ(Field(LiveCounters(), kUniversal, 3), 7u);
    auto b = CountersWrite(0x7E, 0x80, 0x30);
    b[5] = 0xFF;
    b[6] = 0xFF;
    b[7] = 0xFF;
    Write(kCmdWriteCounters, b);
    AdvanceSeconds(2);
    EXPECT_EQ(Field(LiveCounters(), kUniversal, 3), 1u);  // wrapped at 24 bits
}

TEST_F(SimulatorTest, BackupCountdownRunsDownAndWaitsForARestart) {
    auto b = CountersWrite(0x7F, 0x00, 0x30);
    b[3] = 29;  // period 30
    b[4] = 0;
    Write(kCmdWriteCounters, b);
    AdvanceSeconds(10);
    EXPECT_EQ(Field(StartValues(), kTill, 2) + 1, 20u);
    AdvanceSeconds(100);
    EXPECT_EQ(Field(StartValues(), kTill, 2), 0xFFFFu);  // "till nearest" 0
    // The autosave's restart: B0 = 0x01, B1 = 0, B2..B24 as just read.
    auto live = LiveCounters();
    std::vector<std::uint8_t> restart = {0x01, 0x00};
    restart.insert(restart.end(), live.begin(), live.end());
    const auto startsBefore = StartValues();
    Write(kCmdWriteCounters, restart);
    const auto starts = StartValues();
    EXPECT_EQ(Field(starts, kTill, 2), 29u);
    EXPECT_EQ(Field(starts, kAaStart, 3), Field(startsBefore, kAaStart, 3));
    EXPECT_EQ(Field(starts, kQv1Start, 4), Field(startsBefore, kQv1Start, 4));
}

// "till nearest" as the editor shows it: the wire value + 1, modulo 65536.
TEST_F(SimulatorTest, BackupCountdownLosesOneEverySecondAndReArmsOnlyOnBitZero) {
    auto b = CountersWrite(0x7F, 0x00, 0x30);
    b[3] = 44;  // period 45
    b[4] = 0;
    Write(kCmdWriteCounters, b);
    const auto till = [this] { return (Field(StartValues(), kTill, 2) + 1) & 0xFFFF; };
    for (std::uint32_t s = 0; s < 45; ++s) {
        EXPECT_EQ(till(), 45 - s) << s;
        AdvanceSeconds(1);
    }
    EXPECT_EQ(till(), 0u);
    AdvanceSeconds(600);
    EXPECT_EQ(till(), 0u);  // stays run out, never wraps
    // A settings write without bit 0 changes the period but not the countdown.
    b = CountersWrite(0x7E, 0x00, 0x30);
    b[3] = 99;
    b[4] = 0;
    Write(kCmdWriteCounters, b);
    EXPECT_EQ(till(), 0u);
    EXPECT_EQ(Field(LiveCounters(), kPeriod, 2), 99u);
    // The restart alone re-arms with the period now held, also mid-countdown.
    Write(kCmdWriteCounters, CountersWrite(0x01, 0x00, 0x00));
    EXPECT_EQ(till(), 100u);
    AdvanceSeconds(30);
    EXPECT_EQ(till(), 70u);
    Write(kCmdWriteCounters, CountersWrite(0x01, 0x00, 0x00));
    EXPECT_EQ(till(), 100u);
    EXPECT_EQ(Field(LiveCounters(), kPeriod, 2), 99u);
}

TEST_F(SimulatorTest, LiveAndDeadTimeWhileTheAnalyserCounts) {
    AdvanceSeconds(3);
    EXPECT_EQ(Field(LiveCounters(), kLive, 3), 0u);
    RunControl(0x00, 0x0C);
    AdvanceSeconds(100);
    const auto live = LiveCounters();
    const auto lt = Field(live, kLive, 3);
    const auto dt = Field(live, kDead, 3);
    EXPECT_GE(lt + dt, 99u);
    EXPECT_LE(lt + dt, 100u);
    EXPECT_GT(dt, 0u);
    EXPECT_GT(lt, dt);
    Write(kCmdWriteCounters, CountersWrite(0x7E, 0x08, 0x30));
    EXPECT_EQ(Field(LiveCounters(), kLive, 3), 0u);
}

TEST_F(SimulatorTest, DeadTimeGrowsWithTheRate) {
    RunControl(0x00, 0x0C);
    AdvanceSeconds(100);
    const auto slow = Field(LiveCounters(), kDead, 3);
    Write(kCmdWriteCounters, CountersWrite(0x7E, 0x08, 0x30));
    m_card->SetSourceRate(200000);
    AdvanceSeconds(100);
    EXPECT_GT(Field(LiveCounters(), kDead, 3), 2 * slow);
}

TEST_F(SimulatorTest, SecondsCounterStopsTheAnalyser) {
    auto b = CountersWrite(0x7E, 0x40, 0x30);
    b[8] = 4;  // 5 seconds
    b[9] = b[10] = 0;
    Write(kCmdWriteCounters, b);
    RunControl(0x00, 0x0C);
    AdvanceSeconds(4);
    EXPECT_EQ(RunState()[1] & 0x04, 0x04);
    AdvanceSeconds(1);
    EXPECT_EQ(RunState()[1] & 0x04, 0);
    EXPECT_EQ(Field(LiveCounters(), kAaCount, 3), 0xFFFFFFu);  // count 0
    RunControl(0x00, 0x0C);  // refused until the counter is set again
    EXPECT_EQ(RunState()[1] & 0x04, 0);
}

TEST_F(SimulatorTest, SecondsCounterOnLiveTimeRunsSlower) {
    auto b = CountersWrite(0x7E, 0x40, 0x38);  // live-time base
    b[8] = 9;
    b[9] = b[10] = 0;
    Write(kCmdWriteCounters, b);
    m_card->SetSourceRate(200000);
    RunControl(0x00, 0x0C);
    AdvanceSeconds(10);
    EXPECT_EQ(RunState()[1] & 0x04, 0x04);
    AdvanceSeconds(30);
    EXPECT_EQ(RunState()[1] & 0x04, 0);
    EXPECT_EQ(Field(LiveCounters(), kLive, 3), 10u);
}

TEST_F(SimulatorTest, CycleCounterStopsQvAfterItsSweeps) {
    auto b = CountersWrite(0x7E, 0x10, 0x30);
    b[11] = 1;  // Qv1: 3 sweeps
    b[12] = b[13] = b[14] = 0;
    Write(kCmdWriteCounters, b);
    RunControl(0x33, 0x00);
    PollState([](auto s) { return (s[0] & 0x11) == 0x11; });
    AdvanceMs(2 * 175 + 100);
    EXPECT_EQ(RunState()[0] & 0x11, 0x11);
    AdvanceMs(175);
    EXPECT_EQ(RunState()[0] & 0x11, 0x10);                        // Qv1 done, Qv2 goes on
    EXPECT_EQ(Field(LiveCounters(), kQv1Count, 4), 0xFFFFFFFEu);  // count 0
}

TEST_F(SimulatorTest, PulseRatesPerSecond) {
    AdvanceSeconds(2);
    const auto starts = StartValues();
    EXPECT_GT(Field(starts, kQv1Rate, 3), 3000u);
    EXPECT_GT(Field(starts, kQv2Rate, 3), 10000u);  // fringes of ~4 mm/s mean speed
}

// The source bits of every counters write reach the rates at once, also
// after writes that left them alone.
TEST_F(SimulatorTest, PulseRatesFollowTheSourceBits) {
    const auto qv2Rate = [this] {
        AdvanceSeconds(1);
        return Field(StartValues(), kQv2Rate, 3);
    };
    Write(kCmdWriteCounters, CountersWrite(0x7E, 0x00, 0x30));
    const auto laser = qv2Rate();
    Write(kCmdWriteCounters, CountersWrite(0x7E, 0x00, 0x10));  // Qv2 from the aux detector
    const auto aux = qv2Rate();
    EXPECT_LT(aux * 2, laser);
    Write(kCmdWriteCounters, CountersWrite(0x7F, 0x00, 0x10));
    EXPECT_LT(qv2Rate() * 2, laser);
    Write(kCmdWriteCounters, CountersWrite(0x7E, 0x00, 0x30));
    EXPECT_GT(qv2Rate(), 2 * aux);
}

TEST_F(SimulatorTest, SwitchRaisesTheDeltaFlag) {
    AdvanceSeconds(5);
    m_card->SetSwitch(true);
    EXPECT_EQ(Status() & 0x03, 0x03);
    AdvanceSeconds(4);
    EXPECT_EQ(Field(StartValues(), kSinceDelta, 3), 4u);
    Write(kCmdWriteCounters, CountersWrite(0x7E, 0x04, 0x30));
    EXPECT_EQ(Status() & 0x03, 0x02);
}

TEST_F(SimulatorTest, DeltaStopsCountingWhenEnabled) {
    Write(kCmdWriteCounters, CountersWrite(0x7E, 0x00, 0x34));
    RunControl(0x33, 0x0C);
    PollState([](auto s) { return s[0] == 0x33; });
    m_card->SetSwitch(true);
    EXPECT_EQ(RunState()[1] & 0x04, 0);
    AdvanceMs(200);
    EXPECT_EQ(RunState()[0], 0x00);
}

}  // namespace
}  // namespace qv::sim

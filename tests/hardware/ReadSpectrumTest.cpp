#include <vector>

#include "hardware/CHardwarePort.h"
#include "hardware/CardFixture.h"
#include "hardware/CommandCodes.h"

namespace qv::test {
namespace {

constexpr std::uint32_t kUntouched = 0xDEADBEEF;
constexpr std::uint16_t kDataPort = 0x302;
constexpr std::uint16_t kStatusPort = 0x303;
// Status reads before the first word: WaitReady, three request bytes, WaitReady.
constexpr std::uint32_t kSetupStatusReads = 5;

class ReadSpectrum : public CardFixture {
protected:
    // One slot more than the longest spectrum, to see that nothing is written past it.
    std::vector<std::uint32_t> words = std::vector<std::uint32_t>(8193, kUntouched);

    void ExpectCardWords(std::uint8_t selector, int from, int to) {
        for (int i = from; i < to; ++i) {
            ASSERT_EQ(words[i], FakeCard::SpectrumWord(selector, i)) << i;
        }
    }
    void ExpectUntouched(int from, int to) {
        for (int i = from; i < to; ++i) {
            ASSERT_EQ(words[i], kUntouched) << i;
        }
    }
};

TEST_F(ReadSpectrum, AaSelectorReads8192Words) {
    ASSERT_EQ(CHardwarePort().ReadSpectrum(kSelectAa, words.data()), 0);
    ExpectCardWords(kSelectAa, 0, 8192);
    ExpectUntouched(8192, 8193);
    EXPECT_TRUE(card.IsIdle());
}

TEST_F(ReadSpectrum, OtherSelectorsRead4096Words) {
    for (const std::uint8_t selector :
         {std::uint8_t{kSelectQv1}, std::uint8_t{kSelectQv2}, std::uint8_t{0x50}}) {
        std::fill(words.begin(), words.end(), kUntouched);
        ASSERT_EQ(CHardwarePort().ReadSpectrum(selector, words.data()), 0);
        ExpectCardWords(selector, 0, 4096);
        ExpectUntouched(4096, 8193);
        EXPECT_EQ(card.WordsDelivered(), 4096);
    }
}

TEST_F(ReadSpectrum, SendsTheReadoutRequestAndPollsOncePerWord) {
    ASSERT_EQ(CHardwarePort().ReadSpectrum(kSelectQv2, words.data()), 0);
    EXPECT_EQ(card.Written(), (std::vector<std::uint8_t>{kCmdWriteRunControl, 0, kSelectQv2}));
    int statusReads = 0;
    int dataReads = 0;
    for (const FakeCard::Access& access : card.Log()) {
        statusReads += access.port == kStatusPort ? 1 : 0;
        dataReads += access.port == kDataPort ? 1 : 0;
    }
    EXPECT_EQ(statusReads, static_cast<int>(kSetupStatusReads) + 4096);
    EXPECT_EQ(dataReads, 4 * 4096);
}

TEST_F(ReadSpectrum, StalledWordTimesOutAndKeepsTheWordsBefore) {
    card.StallWord(100);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectQv1, words.data()), 4);
    ExpectCardWords(kSelectQv1, 0, 100);
    ExpectUntouched(100, 8193);
}

TEST_F(ReadSpectrum, CardVanishingMidReadoutIsADataTimeOutAtOnce) {
    // The empty bus reads 0xFF, word bit included; its words must not pass for counts.
    card.VanishAfterWords(100);
    const std::uint32_t start = clock.GetTickCount();
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectQv1, words.data()), 4);
    ExpectCardWords(kSelectQv1, 0, 100);
    ExpectUntouched(100, 8193);
    EXPECT_LT(clock.GetTickCount() - start, 100u + kSetupStatusReads + 2);
}

TEST_F(ReadSpectrum, CardVanishingBeforeTheLastWordIsADataTimeOut) {
    card.VanishAfterWords(8191);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectAa, words.data()), 4);
    ExpectCardWords(kSelectAa, 0, 8191);
    ExpectUntouched(8191, 8193);
}

TEST_F(ReadSpectrum, WordLimitIsFiveHundredMilliseconds) {
    card.StallWord(0);
    const std::uint32_t wordStart = clock.GetTickCount() + kSetupStatusReads;
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectQv1, words.data()), 4);
    EXPECT_EQ(clock.GetTickCount() - wordStart, 501u);
}

TEST_F(ReadSpectrum, WordArrivingAtFiveHundredMillisecondsIsTaken) {
    card.StallWord(7, 500);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectQv1, words.data()), 0);
    ExpectCardWords(kSelectQv1, 0, 4096);
}

TEST_F(ReadSpectrum, WordArrivingLaterFails) {
    card.StallWord(7, 501);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectQv1, words.data()), 4);
}

TEST_F(ReadSpectrum, LimitAppliesToEachWordSeparately) {
    card.StallWord(1, 400);
    std::vector<std::uint32_t> second(4096);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectQv1, words.data()), 0);
    card.StallWord(4095, 400);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectQv1, second.data()), 0);
}

TEST_F(ReadSpectrum, WrappedTickCounterRestartsTheWordLimit) {
    // The word comes 700 ms after its wait began, but only about 450 ms after the
    // counter wrapped, which counts as a fresh start.
    clock.Set(0xFFFFFF00 - kSetupStatusReads);
    card.StallWord(0, 700);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectQv1, words.data()), 0);
    ExpectCardWords(kSelectQv1, 0, 4096);
}

TEST_F(ReadSpectrum, StalledWordAfterAWrapFailsFiveHundredMillisecondsAfterIt) {
    clock.Set(0xFFFFFF00 - kSetupStatusReads);
    card.StallWord(0);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectQv1, words.data()), 4);
    EXPECT_EQ(clock.GetTickCount(), 501u);
}

TEST_F(ReadSpectrum, WrapWithASteppingClockStillCompletes) {
    SteppingTickClock stepping(3, 0xFFFFFE00);
    HardwareGlobals::Instance().SetClock(stepping);
    card.StallWord(0, 250);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectQv1, words.data()), 0);
}

TEST_F(ReadSpectrum, SuspendedReadSendsNothingAndLeavesTheDestination) {
    EXPECT_EQ(CHardwarePort::SetSuspend(1), 0);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectAa, words.data()), 128);
    EXPECT_TRUE(card.Log().empty());
    ExpectUntouched(0, 8193);

    EXPECT_EQ(CHardwarePort::SetSuspend(0), 1);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectAa, words.data()), 0);
}

TEST_F(ReadSpectrum, SetSuspendReturnsThePreviousValue) {
    EXPECT_EQ(CHardwarePort::SetSuspend(1), 0);
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 1);
    EXPECT_EQ(CHardwarePort::SetSuspend(-7), 1);
    EXPECT_EQ(CHardwarePort::SetSuspend(0), -7);
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
}

TEST_F(ReadSpectrum, AnyNonZeroSuspendValueSuspends) {
    CHardwarePort::SetSuspend(-7);
    EXPECT_EQ(CHardwarePort().ReadSpectrum(kSelectQv1, words.data()), 128);
}

}  // namespace
}  // namespace qv::test

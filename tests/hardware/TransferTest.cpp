#include <array>
#include <string>
#include <vector>

#include "hardware/CHardwarePort.h"
#include "hardware/CardFixture.h"
#include "hardware/CardRegisters.h"
#include "hardware/CommandCodes.h"

namespace qv::test {
namespace {

using Access = FakeCard::Access;
using Transfers = CardFixture;

constexpr std::uint16_t kCommandPort = 0x300;
constexpr std::uint16_t kReplyPort = 0x301;
constexpr std::uint16_t kStatusPort = 0x303;

int CountAccesses(const FakeCard& card, bool write, std::uint16_t port) {
    int count = 0;
    for (const Access& access : card.Log()) {
        count += access.write == write && access.port == port ? 1 : 0;
    }
    return count;
}

TEST_F(Transfers, WriteCommandPutsExactlyTheCommandAndPayloadOnTheBus) {
    CHardwarePort port;
    const std::array<std::uint8_t, kHighVoltageLength> hv{0x11, 0x22, 0x33, 0x44};
    ASSERT_EQ(port.WriteCommand(kCmdWriteHighVoltage, hv.data(), kHighVoltageLength), 0);

    constexpr std::uint8_t kIdle = kStatusSignature | kStatusTxe | kStatusReady;
    constexpr std::uint8_t kCollecting = kStatusSignature | kStatusTxe;
    const std::vector<Access> expected = {
        {false, kStatusPort, kIdle}, {false, kStatusPort, kIdle},
        {true, kCommandPort, 11},    {false, kStatusPort, kCollecting},
        {true, kCommandPort, 0x11},  {false, kStatusPort, kCollecting},
        {true, kCommandPort, 0x22},  {false, kStatusPort, kCollecting},
        {true, kCommandPort, 0x33},  {false, kStatusPort, kCollecting},
        {true, kCommandPort, 0x44},
    };
    EXPECT_EQ(card.Log(), expected);
    EXPECT_EQ(card.Received(kCmdWriteHighVoltage), std::vector<std::uint8_t>(hv.begin(), hv.end()));
    EXPECT_TRUE(card.IsIdle());
}

TEST_F(Transfers, ReadCommandTakesThePayloadFromTheSecondPort) {
    CHardwarePort port;
    std::array<std::uint8_t, kAuxLength> aux{};
    ASSERT_EQ(port.ReadCommand(kCmdReadAux, aux.data(), kAuxLength), 0);
    for (int i = 0; i < kAuxLength; ++i) {
        EXPECT_EQ(aux[i], FakeCard::ReplyByte(kCmdReadAux, i)) << i;
    }
    EXPECT_EQ(card.Written(), std::vector<std::uint8_t>{kCmdReadAux});
    EXPECT_EQ(CountAccesses(card, false, kReplyPort), kAuxLength);
}

TEST_F(Transfers, StatusIsReadWithOneOrTwentyThreeBytes) {
    card.SetStatusByte(0x9A);
    CHardwarePort port;
    std::uint8_t status = 0;
    ASSERT_EQ(port.ReadCommand(kCmdReadStatus, &status, kStatusLength), 0);
    EXPECT_EQ(status, 0x9A);

    std::array<std::uint8_t, kLiveCountersLength> live{};
    ASSERT_EQ(port.ReadCommand(kCmdReadStatus, live.data(), kLiveCountersLength), 0);
    EXPECT_EQ(live[0], 0x9A);
    for (int i = 1; i < kLiveCountersLength; ++i) {
        EXPECT_EQ(live[i], FakeCard::ReplyByte(kCmdReadStatus, i)) << i;
    }
    EXPECT_TRUE(card.IsIdle());
}

TEST_F(Transfers, LockCheckMovesOnlyTheStatusByte) {
    card.SetStatusByte(kStatusLocked);
    CHardwarePort port;
    std::string text;
    ASSERT_EQ(port.StatusReadCommand(kCmdLockCheck, nullptr, 0, text), 0);
    EXPECT_EQ(text, kLockedText);
    EXPECT_EQ(card.Written(), (std::vector<std::uint8_t>{kCmdReadStatus, kCmdLockCheck}));
    EXPECT_EQ(CountAccesses(card, false, kReplyPort), 1);
}

TEST_F(Transfers, StatusPrefixedReadDeliversThePayload) {
    CHardwarePort port;
    std::array<std::uint8_t, kAnalogueReadLength> registers{};
    std::string text;
    ASSERT_EQ(port.StatusReadCommand(kCmdReadAnalogue, registers.data(), kAnalogueReadLength, text),
              0);
    EXPECT_EQ(text, kNotLockedText);
    EXPECT_EQ(registers[14], FakeCard::ReplyByte(kCmdReadAnalogue, 14));
    EXPECT_EQ(card.Written(), (std::vector<std::uint8_t>{kCmdReadStatus, kCmdReadAnalogue}));
}

TEST_F(Transfers, ZeroLengthsMoveNothing) {
    CHardwarePort port;
    EXPECT_EQ(port.ReadBytes(nullptr, 0), 0);
    EXPECT_EQ(port.WriteBytes(nullptr, 0), 0);
    EXPECT_TRUE(card.Log().empty());
}

TEST_F(Transfers, InvalidStatusFailsAtTheFirstLook) {
    CHardwarePort port;
    for (const std::uint8_t status : {0xFF, 0x0F, 0x00, 0xA3, 0x43}) {
        card.AnswerStatus(status);
        const std::uint32_t before = clock.GetTickCount();
        EXPECT_EQ(port.WaitReady(), 1) << int{status};
        EXPECT_EQ(clock.GetTickCount() - before, 1u) << int{status};
    }
}

TEST_F(Transfers, BusyCardTimesOutAfterTwentyMilliseconds) {
    card.AnswerStatus(kStatusSignature);
    CHardwarePort port;
    EXPECT_EQ(port.WaitReady(), 1);
    EXPECT_EQ(clock.GetTickCount(), 1000u + 21u);
}

TEST_F(Transfers, WrappedTickCounterRestartsTheHandshakeWait) {
    card.AnswerStatus(kStatusSignature);
    clock.Set(0xFFFFFFF0);
    CHardwarePort port;
    EXPECT_EQ(port.WaitReady(), 1);
    EXPECT_EQ(clock.GetTickCount(), 21u);
}

// Lock text for a status byte.
struct LockCase {
    std::uint8_t status;
    const char* text;
};

class LockTexts : public CardFixture, public ::testing::WithParamInterface<LockCase> {};

TEST_P(LockTexts, OnlyBitSevenCounts) {
    card.SetStatusByte(GetParam().status);
    CHardwarePort port;
    std::array<std::uint8_t, kHighVoltageLength> registers{};
    std::string text = "x";
    port.StatusReadCommand(kCmdReadHighVoltage, registers.data(), kHighVoltageLength, text);
    EXPECT_EQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(StatusBytes, LockTexts,
                         ::testing::Values(LockCase{0x80, kLockedText}, LockCase{0xFF, kLockedText},
                                           LockCase{0xC0, kLockedText}, LockCase{0x81, kLockedText},
                                           LockCase{0x00, kNotLockedText},
                                           LockCase{0x7F, kNotLockedText},
                                           LockCase{0x40, kNotLockedText},
                                           LockCase{0x01, kNotLockedText}));

// The words the operator reads next to a transfer's result, from a real
// transfer: one leading blank before the locked text, none before the other.
TEST_F(Transfers, LockTextWordsAreTheProgramsOwn) {
    CHardwarePort port;
    std::vector<std::uint8_t> registers(kHighVoltageLength);
    std::string text;
    card.SetStatusByte(0x80);
    ASSERT_EQ(
        port.StatusReadCommand(kCmdReadHighVoltage, registers.data(), kHighVoltageLength, text), 0);
    EXPECT_EQ(text, " !!Locked");
    card.SetStatusByte(0x00);
    ASSERT_EQ(
        port.StatusReadCommand(kCmdReadHighVoltage, registers.data(), kHighVoltageLength, text), 0);
    EXPECT_EQ(text, "notLocked");
}

}  // namespace
}  // namespace qv::test

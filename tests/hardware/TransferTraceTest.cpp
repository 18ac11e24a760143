#include "hardware/TransferTrace.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hardware/CHardwarePort.h"
#include "hardware/CardFixture.h"
#include "hardware/CommandCodes.h"

namespace qv::test {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The trace of every exchange on the fake card; the clock stands still
// unless a test moves it, so the millisecond field is the test's own.
class TraceTest : public CardFixture {
protected:
    void SetUp() override {
        CardFixture::SetUp();
        card.AdvanceOnStatusRead(clock, 0);
        HardwareGlobals::Instance().observer = &trace;
    }
    std::vector<std::string> Traced() const { return Lines(out.str()); }

    std::ostringstream out;
    TransferTrace trace{out, clock};
    CHardwarePort port;
};

TEST_F(TraceTest, WriteShowsItsPayloadInUpperCaseHex) {
    clock.Advance(1520);
    const std::array<std::uint8_t, 4> hv{0x2C, 0xC3, 0x58, 0x31};
    ASSERT_EQ(port.WriteCommand(kCmdWriteHighVoltage, hv.data(), 4), 0);
    EXPECT_EQ(Traced(), std::vector<std::string>{"1520 W 11 4: 2C C3 58 31 -> 0"});
}

TEST_F(TraceTest, PlainReadShowsTheBytesThatCameBack) {
    std::array<std::uint8_t, 2> state{};
    ASSERT_EQ(port.ReadCommand(kCmdReadRunState, state.data(), 2), 0);
    clock.Advance(7);
    std::array<std::uint8_t, 5> aux{};
    ASSERT_EQ(port.ReadCommand(kCmdReadAux, aux.data(), 5), 0);
    EXPECT_EQ(Traced(),
              (std::vector<std::string>{"0 R 2 2: 20 21 -> 0", "7 R 18 5: 20 21 22 23 24 -> 0"}));
}

TEST_F(TraceTest, StatusPrefixedReadAppearsAsItsTwoReads) {
    card.SetStatusByte(0x80);
    std::array<std::uint8_t, 4> hv{};
    std::string lock;
    ASSERT_EQ(port.StatusReadCommand(kCmdReadHighVoltage, hv.data(), 4, lock), 0);
    ASSERT_EQ(port.StatusReadCommand(kCmdLockCheck, nullptr, 0, lock), 0);
    EXPECT_EQ(Traced(), (std::vector<std::string>{"0 R 4 1: 80 -> 0", "0 R 10 4: A0 A1 A2 A3 -> 0",
                                                  "0 R 4 1: 80 -> 0", "0 R 17 0: -> 0"}));
}

TEST_F(TraceTest, SpectrumReadShowsSelectorAndWordsButNoBytes) {
    std::vector<std::uint32_t> words(8192);
    ASSERT_EQ(port.ReadSpectrum(kSelectQv2, words.data()), 0);
    CHardwarePort::SetSuspend(1);
    EXPECT_EQ(port.ReadSpectrum(kSelectAa, words.data()), 128);
    CHardwarePort::SetSuspend(0);
    EXPECT_EQ(Traced(), (std::vector<std::string>{"0 S 112 4096: -> 0", "0 S 64 8192: -> 128"}));
}

TEST_F(TraceTest, LongPayloadShowsThirtyTwoBytesThenAnEllipsis) {
    std::vector<std::uint8_t> table(kReferenceLength);
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<std::uint8_t>(0xF0 + i);
    }
    ASSERT_EQ(port.WriteCommand(kCmdWriteReference, table.data(), kReferenceLength), 0);
    EXPECT_EQ(Traced(), std::vector<std::string>{
                            "0 W 16 16384: F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF "
                            "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F ... -> 0"});
}

TEST_F(TraceTest, FailedReadShowsOnlyTheBytesThatArrived) {
    card.AdvanceOnStatusRead(clock, 1);
    card.StopAnsweringAfter(3);  // the command byte and two reply bytes
    std::array<std::uint8_t, 4> hv{0x55, 0x55, 0x55, 0x55};
    EXPECT_EQ(port.ReadCommand(kCmdReadHighVoltage, hv.data(), 4), 14);
    const std::vector<std::string> lines = Traced();
    ASSERT_EQ(lines.size(), 1u);
    const std::string line = lines[0];
    const std::string rest = " R 10 4: A0 A1 -> 14";
    ASSERT_GT(line.size(), rest.size());
    EXPECT_EQ(line.substr(line.size() - rest.size()), rest);
    // The time-out of the third byte has passed before the line was written.
    EXPECT_GT(std::stoi(line), 20);
}

TEST_F(TraceTest, WithoutACardNothingArrivesAndTheNumbersShow) {
    NoCardBus none;
    HardwareGlobals::Instance().SetBus(none);
    std::uint8_t status = 0x77;
    const std::uint8_t dac = 0x42;
    std::vector<std::uint32_t> words(4096);
    std::string lock;
    EXPECT_EQ(port.ReadCommand(kCmdReadStatus, &status, 1), 9);
    EXPECT_EQ(port.WriteCommand(kCmdWriteDac, &dac, 1), 33);
    EXPECT_EQ(port.StatusReadCommand(kCmdReadDac, &status, 1, lock), 25);
    EXPECT_EQ(port.ReadSpectrum(kSelectQv1, words.data()), 5);
    // A write shows what the program meant to send, whether or not it got there.
    EXPECT_EQ(Traced(), (std::vector<std::string>{"0 R 4 1: -> 9", "0 W 21 1: 42 -> 33",
                                                  "0 R 4 1: -> 9", "0 S 96 4096: -> 5"}));
}

TEST(TransferFormat, ReadsLongerThanThirtyTwoBytesAreCutLikeWrites) {
    std::array<std::uint8_t, 40> bytes{};
    bytes.fill(0xAB);
    Transfer read{Transfer::Kind::Read, 4, 40, bytes.data(), 14, 33};
    std::string expected = "4294967295 R 4 40:";
    for (int i = 0; i < 32; ++i) {
        expected += " AB";
    }
    EXPECT_EQ(FormatTransfer(read, 4294967295u), expected + " ... -> 14");
    read.valid = 32;  // exactly the shown bytes: nothing cut
    EXPECT_EQ(FormatTransfer(read, 4294967295u), expected + " -> 14");
}

TEST(TransferTraceFile, InstallsItselfAndGivesBackThePreviousObserver) {
    HardwareGlobals::Instance().Reset();
    std::ostringstream earlierOut;
    ManualTickClock clock(4000000000u);
    TransferTrace earlier(earlierOut, clock);
    HardwareGlobals::Instance().observer = &earlier;
    const auto path = std::filesystem::temp_directory_path() / "qv-trace-file-test.txt";
    {
        TransferTraceFile file(path.string(), clock);
        ASSERT_TRUE(file.IsOpen());
        EXPECT_NE(HardwareGlobals::Instance().observer, &earlier);
        clock.Advance(400000000u);  // across the wrap of the tick counter
        CHardwarePort port;
        std::uint8_t status = 0;
        port.ReadCommand(kCmdReadStatus, &status, 1);
    }
    EXPECT_EQ(HardwareGlobals::Instance().observer, &earlier);
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "400000000 R 4 1: -> 9");
    EXPECT_TRUE(earlierOut.str().empty());
    std::filesystem::remove(path);

    TransferTraceFile nowhere("/nonexistent-dir/trace.txt", clock);
    EXPECT_FALSE(nowhere.IsOpen());
    EXPECT_EQ(HardwareGlobals::Instance().observer, &earlier);
    HardwareGlobals::Instance().Reset();
}

}  // namespace
}  // namespace qv::test

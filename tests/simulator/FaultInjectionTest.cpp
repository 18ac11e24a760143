#include <algorithm>

#include "SimulatorFixture.h"
#include "hardware/CardRegisters.h"

namespace qv::sim {
namespace {

template <typename Set>
CardFaults With(Set set) {
    CardFaults faults;
    set(faults);
    return faults;
}

class FaultTest : public SimulatorTest {
protected:
    void Faults(const CardFaults& faults) {
        VirtualSpectrometerOptions options;
        options.faults = faults;
        Install(options);
        // Waits on a quiet card must run out, so the clock moves on every look.
        HardwareGlobals::Instance().SetClock(m_stepping);
    }
    SteppingTickClock m_stepping;
};

TEST_F(FaultTest, AbsentCardGivesTheNoCardNumbers) {
    Faults(With([](CardFaults& f) { f.absent = true; }));
    std::uint8_t buffer[32] = {};
    std::string text = "unchanged";
    EXPECT_EQ(m_port->ReadCommand(kCmdReadDividers, buffer, 2), 9);
    EXPECT_EQ(m_port->WriteCommand(kCmdWriteDividers, buffer, 2), 33);
    EXPECT_EQ(m_port->StatusReadCommand(kCmdReadAnalogue, buffer, 15, text), 25);
    EXPECT_EQ(text, "unchanged");
    std::vector<std::uint32_t> words(4096);
    EXPECT_EQ(m_port->ReadSpectrum(kSelectQv1, words.data()), 5);
}

TEST_F(FaultTest, CardThatStopsAnsweringAfterBytes) {
    Faults(With([](CardFaults& f) { f.silentAfterBytes = 3; }));
    std::uint8_t buffer[32] = {};
    EXPECT_EQ(m_port->ReadCommand(kCmdReadDividers, buffer, 2), 0);  // 3 bytes
    EXPECT_EQ(m_port->ReadCommand(kCmdReadDividers, buffer, 2), 9);
}

TEST_F(FaultTest, CardThatStopsInTheMiddleOfAPayload) {
    Faults(With([](CardFaults& f) { f.silentAfterBytes = 2; }));
    std::uint8_t buffer[32] = {};
    EXPECT_EQ(m_port->ReadCommand(kCmdReadDividers, buffer, 2), 14);
    Faults(With([](CardFaults& f) { f.silentAfterBytes = 3; }));
    EXPECT_EQ(m_port->WriteCommand(kCmdWriteHighVoltage, buffer, 4), 39);
}

TEST_F(FaultTest, CardThatStopsAfterSpectrumWords) {
    Faults(With([](CardFaults& f) { f.silentAfterWords = 100; }));
    std::vector<std::uint32_t> words(4096, 0xDEADBEEF);
    EXPECT_EQ(m_port->ReadSpectrum(kSelectQv1, words.data()), 4);
    EXPECT_EQ(words[99], 0u);
    EXPECT_EQ(words[100], 0xDEADBEEFu);
}

TEST_F(FaultTest, CardThatVanishesDuringAReadout) {
    Faults(With([](CardFaults& f) { f.goneAfterWords = 100; }));
    std::vector<std::uint32_t> words(8192, 0xDEADBEEF);
    EXPECT_EQ(m_port->ReadSpectrum(kSelectAa, words.data()), 4);
    EXPECT_EQ(words[100], 0xDEADBEEFu);
    EXPECT_EQ(std::count(words.begin(), words.end(), 0xFFFFFFFFu), 0);
    // Gone for good: the next command finds no card.
    std::uint8_t buffer[2] = {};
    EXPECT_EQ(m_port->ReadCommand(kCmdReadDividers, buffer, 2), 9);
}

// Faults set between two bytes of a word act on the very next byte: the card
// vanishes mid-word, or lets the word end and then goes.
TEST_F(SimulatorTest, FaultsSetInTheMiddleOfAWord) {
    constexpr std::uint16_t kBase = 0x300;
    RunControl(0x33, 0x0C);
    AdvanceSeconds(10);
    const auto request = [&] {
        for (const std::uint8_t b :
             {std::uint8_t{kCmdWriteRunControl}, std::uint8_t{0}, std::uint8_t{kSelectQv1}}) {
            m_card->Out(kBase, b);
        }
    };
    const auto bytes = [&](int n) {
        std::vector<int> got;
        for (int i = 0; i < n; ++i) {
            got.push_back(m_card->In(kBase + 2));
        }
        return got;
    };
    request();
    const std::uint32_t word5 = m_card->Card().Memories().qv1[5];
    ASSERT_NE(word5 & 0xFF, 0u);
    bytes(4 * 5 + 1);
    m_card->SetFaults(With([](CardFaults& f) { f.absent = true; }));
    EXPECT_EQ(bytes(2), (std::vector<int>{0xFF, 0xFF}));
    EXPECT_EQ(m_card->In(kBase + 3), 0xFF);

    m_card->SetFaults({});
    request();
    bytes(4 * 5 + 2);
    m_card->SetFaults(With([](CardFaults& f) { f.goneAfterWords = 1; }));
    EXPECT_EQ(m_card->In(kBase + 3), kStatusSignature | 0x0B);  // still the word's time
    EXPECT_EQ(bytes(3), (std::vector<int>{int(word5 >> 16 & 0xFF), int(word5 >> 24), 0xFF}));

    m_card->SetFaults({});
    request();
    bytes(3);
    m_card->SetFaults(With([](CardFaults& f) { f.silentAfterWords = 0; }));
    EXPECT_EQ(m_card->In(kBase + 3), kStatusSignature);
    EXPECT_EQ(bytes(1), std::vector<int>{0});
}

TEST_F(SimulatorTest, ClearThatNeverFinishes) {
    m_card->SetFaults(With([](CardFaults& f) { f.clearsNeverFinish = true; }));
    RunControl(0x88, 0x02);
    RunControl(0xCC, 0x03);
    EXPECT_EQ(PollState([](auto s) { return (s[0] & 0xCC) || (s[1] & 0x02); }, 500), -1);
}

TEST_F(SimulatorTest, LockedCardFromTheFaults) {
    m_card->SetFaults(With([](CardFaults& f) { f.locked = true; }));
    EXPECT_EQ(Status() & 0x80, 0x80);
    RunControl(0x88, 0x02);
    EXPECT_EQ(RunState()[1] & 0x01, 0x01);  // ignored: still asks for the idle pattern
}

}  // namespace
}  // namespace qv::sim

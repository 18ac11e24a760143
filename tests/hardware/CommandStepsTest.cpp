#include <array>
#include <string>

#include "hardware/CHardwarePort.h"
#include "hardware/CardFixture.h"
#include "hardware/CommandCodes.h"

namespace qv::test {
namespace {

// Where the card stops answering, and the error number that must come back.
struct StepCase {
    int answeredBytes;
    bool staysReady;
    int expected;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << "after " << c.answeredBytes << (c.staysReady ? " bytes, ready" : " bytes, busy")
        << " -> " << c.expected;
}

class StepFixture : public CardFixture, public ::testing::WithParamInterface<StepCase> {
protected:
    void SetUp() override {
        CardFixture::SetUp();
        card.StopAnsweringAfter(GetParam().answeredBytes, GetParam().staysReady);
    }
};

using ReadCommandSteps = StepFixture;
TEST_P(ReadCommandSteps, FailingStepGivesItsNumber) {
    CHardwarePort port;
    std::array<std::uint8_t, kAuxLength> aux{};
    EXPECT_EQ(port.ReadCommand(kCmdReadAux, aux.data(), kAuxLength), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Steps, ReadCommandSteps,
                         ::testing::Values(StepCase{0, false, 9}, StepCase{0, true, 11},
                                           StepCase{1, true, 14}, StepCase{4, true, 14}));

using WriteCommandSteps = StepFixture;
TEST_P(WriteCommandSteps, FailingStepGivesItsNumber) {
    CHardwarePort port;
    const std::array<std::uint8_t, kAuxLength> aux{1, 2, 3, 4, 5};
    EXPECT_EQ(port.WriteCommand(kCmdWriteAux, aux.data(), kAuxLength), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Steps, WriteCommandSteps,
                         ::testing::Values(StepCase{0, false, 33}, StepCase{0, true, 35},
                                           StepCase{1, true, 39}, StepCase{3, true, 39}));

using StatusReadSteps = StepFixture;
TEST_P(StatusReadSteps, FailingStepGivesItsNumber) {
    CHardwarePort port;
    std::array<std::uint8_t, kHighVoltageLength> hv{};
    std::string text;
    EXPECT_EQ(port.StatusReadCommand(kCmdReadHighVoltage, hv.data(), kHighVoltageLength, text),
              GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Steps, StatusReadSteps,
                         ::testing::Values(StepCase{0, false, 25}, StepCase{0, true, 27},
                                           StepCase{1, true, 30}, StepCase{2, false, 33},
                                           StepCase{2, true, 35}, StepCase{3, true, 38}));

using SpectrumSetupSteps = StepFixture;
TEST_P(SpectrumSetupSteps, FailingStepGivesItsNumber) {
    CHardwarePort port;
    std::array<std::uint32_t, 4096> words{};
    EXPECT_EQ(port.ReadSpectrum(kSelectQv1, words.data()), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Steps, SpectrumSetupSteps,
                         ::testing::Values(StepCase{0, false, 5}, StepCase{0, true, 7},
                                           StepCase{2, true, 7}, StepCase{3, false, 5}));

using CommandSteps = CardFixture;

TEST_F(CommandSteps, FailedStatusStepLeavesTheTextAlone) {
    card.StopAnsweringAfter(1);
    CHardwarePort port;
    std::array<std::uint8_t, kHighVoltageLength> hv{};
    std::string text = "unchanged";
    EXPECT_EQ(port.StatusReadCommand(kCmdReadHighVoltage, hv.data(), kHighVoltageLength, text), 30);
    EXPECT_EQ(text, "unchanged");
}

TEST_F(CommandSteps, FailedReadAfterTheStatusStillSetsTheText) {
    card.SetStatusByte(kStatusLocked);
    card.StopAnsweringAfter(2);
    CHardwarePort port;
    std::array<std::uint8_t, kHighVoltageLength> hv{};
    std::string text;
    EXPECT_EQ(port.StatusReadCommand(kCmdReadHighVoltage, hv.data(), kHighVoltageLength, text), 35);
    EXPECT_EQ(text, kLockedText);
}

TEST_F(CommandSteps, UnknownCommandTimesOutOnThePayload) {
    CHardwarePort port;
    std::uint8_t byte = 0;
    EXPECT_EQ(port.ReadCommand(0, &byte, 1), 14);
}

}  // namespace
}  // namespace qv::test

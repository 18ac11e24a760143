#include <array>
#include <vector>

#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"
#include "hardware/FakeCard.h"
#include "hardware/HardwareGlobals.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

// A card at 640 (0x280), as a hardware description file may configure it.
class PortBase : public ::testing::Test {
protected:
    void SetUp() override {
        HardwareGlobals::Instance().Reset();
        HardwareGlobals::Instance().portBase = 640;
        HardwareGlobals::Instance().SetBus(card);
        HardwareGlobals::Instance().SetClock(clock);
        card.AdvanceOnStatusRead(clock, 1);
    }
    void TearDown() override { HardwareGlobals::Instance().Reset(); }

    void ExpectOnlyCardPorts() {
        for (const FakeCard::Access& access : card.Log()) {
            EXPECT_GE(access.port, 0x280);
            EXPECT_LE(access.port, 0x283);
        }
    }

    FakeCard card{0x280};
    ManualTickClock clock;
    std::array<std::uint8_t, kAuxLength> aux{1, 2, 3, 4, 5};
    std::vector<std::uint32_t> words = std::vector<std::uint32_t>(4096);
};

TEST_F(PortBase, PortsComeFromTheConfiguredBase) {
    CHardwarePort port;
    EXPECT_EQ(port.WriteCommand(kCmdWriteAux, aux.data(), kAuxLength), 0);
    EXPECT_EQ(port.ReadCommand(kCmdReadAux, aux.data(), kAuxLength), 0);
    EXPECT_EQ(port.ReadSpectrum(kSelectQv1, words.data()), 0);
    ExpectOnlyCardPorts();
    EXPECT_EQ(words[4095], FakeCard::SpectrumWord(kSelectQv1, 4095));
}

TEST_F(PortBase, LaterChangeOfTheBaseDoesNotMoveAnExistingPort) {
    CHardwarePort port;
    HardwareGlobals::Instance().portBase = 0x300;
    EXPECT_EQ(port.WriteCommand(kCmdWriteAux, aux.data(), kAuxLength), 0);
    ExpectOnlyCardPorts();
}

TEST_F(PortBase, PortMadeAfterTheChangeUsesTheNewBase) {
    HardwareGlobals::Instance().portBase = 0x300;
    CHardwarePort port;
    EXPECT_EQ(port.WriteCommand(kCmdWriteAux, aux.data(), kAuxLength), 33);
    ASSERT_FALSE(card.Log().empty());
    EXPECT_EQ(card.Log().front().port, 0x303);
}

TEST_F(PortBase, BusAndClockAreLookedUpAtCallTime) {
    CHardwarePort port;
    NoCardBus empty;
    HardwareGlobals::Instance().SetBus(empty);
    EXPECT_EQ(port.WriteCommand(kCmdWriteAux, aux.data(), kAuxLength), 33);
    HardwareGlobals::Instance().SetBus(card);
    EXPECT_EQ(port.WriteCommand(kCmdWriteAux, aux.data(), kAuxLength), 0);
}

}  // namespace
}  // namespace qv::test

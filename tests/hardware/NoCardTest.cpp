#include <array>
#include <string>

#include "hardware/CHardwarePort.h"
#include "hardware/CardFixture.h"
#include "hardware/CommandCodes.h"

namespace qv::test {
namespace {

using HardwarePortNoCard = NoCardFixture;

TEST_F(HardwarePortNoCard, PrimitivesFailWithTheirOwnCodes) {
    CHardwarePort port;
    std::uint8_t byte = 7;
    EXPECT_EQ(port.WaitReady(), 1);
    EXPECT_EQ(port.ReadBytes(&byte, 1), 2);
    EXPECT_EQ(port.WriteBytes(&byte, 1), 3);
    EXPECT_EQ(byte, 7);
}

TEST_F(HardwarePortNoCard, ReadCommandGives9) {
    CHardwarePort port;
    std::array<std::uint8_t, kAuxLength> aux{};
    EXPECT_EQ(port.ReadCommand(kCmdReadAux, aux.data(), kAuxLength), 9);
}

TEST_F(HardwarePortNoCard, WriteCommandGives33) {
    CHardwarePort port;
    const std::array<std::uint8_t, kAuxLength> aux{};
    EXPECT_EQ(port.WriteCommand(kCmdWriteAux, aux.data(), kAuxLength), 33);
}

TEST_F(HardwarePortNoCard, StatusReadGives25AndKeepsTheText) {
    CHardwarePort port;
    std::array<std::uint8_t, kHighVoltageLength> hv{};
    std::string text = "before";
    EXPECT_EQ(port.StatusReadCommand(kCmdReadHighVoltage, hv.data(), kHighVoltageLength, text), 25);
    EXPECT_EQ(text, "before");
}

TEST_F(HardwarePortNoCard, SpectrumReadGives5) {
    CHardwarePort port;
    std::array<std::uint32_t, 8192> words{};
    EXPECT_EQ(port.ReadSpectrum(kSelectAa, words.data()), 5);
}

TEST_F(HardwarePortNoCard, SuspendedSpectrumReadGives128AndLeavesTheDestination) {
    CHardwarePort port;
    CHardwarePort::SetSuspend(1);
    std::array<std::uint32_t, 4096> words;
    words.fill(0xDEADBEEF);
    EXPECT_EQ(port.ReadSpectrum(kSelectQv1, words.data()), 128);
    for (const std::uint32_t word : words) {
        ASSERT_EQ(word, 0xDEADBEEF);
    }
}

}  // namespace
}  // namespace qv::test

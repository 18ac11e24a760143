#include <gtest/gtest.h>

#include <array>

#include "simulator/AnalogueRegisters.h"

namespace qv::sim {
namespace {

using Payload = std::array<std::uint8_t, AnalogueRegisters::kWriteSize>;

// Two sync bytes, then R0..R14 as given.
AnalogueRegisters Written(std::array<std::uint8_t, AnalogueRegisters::kSize> r) {
    Payload payload{0xFF, 0xFF};
    std::copy(r.begin(), r.end(), payload.begin() + 2);
    AnalogueRegisters registers;
    registers.Write(payload);
    return registers;
}

// Signal tau code 0, 1, 2, 3 selects 4.7, 1.0, 2.2 and 0.47 us (values 4, 2, 3, 1).
TEST(AnalogueDecoding, SignalTauFollowsTheCardsCodeOrder) {
    const double byCode[] = {4.7, 1.0, 2.2, 0.47};
    for (std::uint8_t code = 0; code < 4; ++code) {
        // The neighbouring fields all set, so a wrong shift or mask shows.
        const std::uint8_t r0 = static_cast<std::uint8_t>(0xCF | code << 4);
        EXPECT_DOUBLE_EQ(Written({r0}).SignalTauMicroseconds(), byCode[code]) << int(code);
    }
}

TEST(AnalogueDecoding, InputAIsBitZeroAndGainTheUpperSevenBits) {
    EXPECT_TRUE(Written({0x01, 0x00}).InputA());
    EXPECT_FALSE(Written({0xFE, 0xFF}).InputA());
    EXPECT_EQ(Written({0x00, 0xFF}).Gain(), 127);
    EXPECT_EQ(Written({0x00, 0x02}).Gain(), 1);
}

// Low byte first; only the field's high bits of the second byte count.
TEST(AnalogueDecoding, WideFieldsTakeTwoOrFourHighBits) {
    const AnalogueRegisters r =
        Written({0, 0, 0x34, 0xFE, 0x56, 0xFD, 0x78, 0xF9, 0x9A, 0xF3, 0xBC, 0xFF, 0, 0, 0});
    EXPECT_EQ(r.AmpAnalUpLimit(), 0x234);
    EXPECT_EQ(r.AmpAnalLowLimit(), 0x156);
    EXPECT_EQ(r.SnglChnlUpLimit(), 0x978);
    EXPECT_EQ(r.SnglChnlLowLimit(), 0x39A);
    EXPECT_EQ(r.TriggerLevel(), 0x3BC);
}

}  // namespace
}  // namespace qv::sim

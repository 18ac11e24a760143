#include "app/CardLink.h"

#include <gtest/gtest.h>

#include <sstream>

#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"
#include "hardware/HardwareGlobals.h"

namespace qv {
namespace {

class CardLinkTest : public ::testing::Test {
protected:
    void SetUp() override { HardwareGlobals::Instance().Reset(); }
    void TearDown() override { HardwareGlobals::Instance().Reset(); }
};

TEST_F(CardLinkTest, SimulatedCardAnswersAtTheConfiguredBase) {
    HardwareGlobals::Instance().portBase = 0x280;
    std::ostringstream warnings;
    {
        CardLink link({true, 1}, 0x280, warnings);
        EXPECT_TRUE(link.IsSimulated());
        CHardwarePort port;
        std::uint8_t status = 0xAA;
        EXPECT_EQ(port.ReadCommand(kCmdReadStatus, &status, 1), 0);
        std::string lock;
        std::uint8_t hv[4] = {};
        EXPECT_EQ(port.StatusReadCommand(kCmdReadHighVoltage, hv, 4, lock), 0);
        EXPECT_TRUE(lock == "notLocked" || lock == " !!Locked");
    }
    EXPECT_TRUE(warnings.str().empty());
    // Gone with the link: back to an empty bus, so transfers fail as without a card.
    CHardwarePort port;
    std::uint8_t status = 0;
    EXPECT_EQ(port.ReadCommand(kCmdReadStatus, &status, 1), 9);
}

TEST_F(CardLinkTest, UnreachablePortsFallBackToNoCardWithOneWarning) {
    // ioperm never grants ports this high, whatever the privileges.
    std::ostringstream warnings;
    HardwareGlobals::Instance().portBase = 0xFFF0;
    CardLink link({false, 1}, 0xFFF0, warnings);
    EXPECT_FALSE(link.IsSimulated());
    const std::string text = warnings.str();
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find('\n'), text.size() - 1);
    CHardwarePort port;
    std::uint8_t bytes[2] = {};
    EXPECT_EQ(port.WriteCommand(kCmdWriteRunControl, bytes, 2), 33);
}

}  // namespace
}  // namespace qv

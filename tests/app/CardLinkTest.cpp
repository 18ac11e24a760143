#include "app/CardLink.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"
#include "hardware/HardwareGlobals.h"

namespace qv {
namespace {

// A runtime directory of the test's own, for the card's lock file.
class CardLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        HardwareGlobals::Instance().Reset();
        m_dir =
            std::filesystem::temp_directory_path() / ("qv-cardlink-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir);
        if (const char* old = std::getenv("XDG_RUNTIME_DIR")) {
            m_saved = old;
        }
        ::setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);
    }
    void TearDown() override {
        HardwareGlobals::Instance().Reset();
        if (m_saved) {
            ::setenv("XDG_RUNTIME_DIR", m_saved->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
        std::filesystem::remove_all(m_dir);
    }

    static CardLink::Choice Simulated() {
        CardLink::Choice choice;
        choice.simulate = true;
        return choice;
    }

    std::filesystem::path m_dir;
    std::optional<std::string> m_saved;
};

TEST_F(CardLinkTest, SimulatedCardAnswersAtTheConfiguredBase) {
    HardwareGlobals::Instance().portBase = 0x280;
    std::ostringstream warnings;
    {
        CardLink link(Simulated(), 0x280, warnings);
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
    CardLink link({}, 0xFFF0, warnings);
    EXPECT_FALSE(link.IsSimulated());
    EXPECT_FALSE(link.CardInUse());
    const std::string text = warnings.str();
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find('\n'), text.size() - 1);
    CHardwarePort port;
    std::uint8_t bytes[2] = {};
    EXPECT_EQ(port.WriteCommand(kCmdWriteRunControl, bytes, 2), 33);
}

TEST_F(CardLinkTest, SecondLinkToThePortsRunsWithoutTheCardAndSaysWhoHoldsIt) {
    std::ostringstream firstWarnings, secondWarnings;
    CardLink first({}, 0xFFF0, firstWarnings);
    EXPECT_FALSE(first.CardInUse());
    {
        CardLink second({}, 0xFFF0, secondWarnings);
        EXPECT_TRUE(second.CardInUse());
        EXPECT_EQ(secondWarnings.str(), "qv: the card at 0xfff0 is in use by process " +
                                            std::to_string(::getpid()) + " (lock file " +
                                            (m_dir / "qv-card-0xfff0.lock").string() +
                                            "); running without a card\n");
        CHardwarePort port;
        std::uint8_t status = 0;
        EXPECT_EQ(port.ReadCommand(kCmdReadStatus, &status, 1), 9);
    }
    // The virtual card is nobody's to lock.
    std::ostringstream simWarnings;
    CardLink simulated(Simulated(), 0xFFF0, simWarnings);
    EXPECT_FALSE(simulated.CardInUse());
    EXPECT_TRUE(simWarnings.str().empty());
}

TEST_F(CardLinkTest, BenchChoicesReachTheVirtualCard) {
    std::ostringstream warnings;
    CardLink::Choice choice = Simulated();
    choice.faults.locked = true;
    {
        CardLink link(choice, 0x300, warnings);
        CHardwarePort port;
        std::uint8_t status = 0;
        ASSERT_EQ(port.ReadCommand(kCmdReadStatus, &status, 1), 0);
        EXPECT_EQ(status & kStatusLocked, kStatusLocked);
    }
    choice.faults = {};
    choice.faults.absent = true;
    CardLink absent(choice, 0x300, warnings);
    CHardwarePort port;
    std::uint8_t status = 0;
    EXPECT_EQ(port.ReadCommand(kCmdReadStatus, &status, 1), 9);
    EXPECT_TRUE(warnings.str().empty());
}

TEST_F(CardLinkTest, TraceWritesOneLinePerExchangeWhileTheLinkLives) {
    std::ostringstream warnings;
    CardLink::Choice choice = Simulated();
    choice.tracePath = (m_dir / "trace.txt").string();
    {
        CardLink link(choice, 0x300, warnings);
        EXPECT_TRUE(link.TraceOpen());
        CHardwarePort port;
        const std::uint8_t dac = 0x5A;
        ASSERT_EQ(port.WriteCommand(kCmdWriteDac, &dac, 1), 0);
    }
    CHardwarePort after;
    std::uint8_t status = 0;
    after.ReadCommand(kCmdReadStatus, &status, 1);
    std::ifstream in(*choice.tracePath);
    std::string line, rest;
    ASSERT_TRUE(std::getline(in, line));
    EXPECT_NE(line.find(" W 21 1: 5A -> 0"), std::string::npos) << line;
    EXPECT_FALSE(std::getline(in, rest)) << "traced after the link was gone: " << rest;

    choice.tracePath = (m_dir / "missing" / "trace.txt").string();
    CardLink unwritable(choice, 0x300, warnings);
    EXPECT_FALSE(unwritable.TraceOpen());
    EXPECT_EQ(warnings.str(), "qv: cannot write the transfer trace " + *choice.tracePath + "\n");
}

}  // namespace
}  // namespace qv

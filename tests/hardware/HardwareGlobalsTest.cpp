#include "hardware/HardwareGlobals.h"

#include <gtest/gtest.h>

#include "hardware/PortBus.h"
#include "hardware/TickClock.h"

namespace qv {
namespace {

class Globals : public ::testing::Test {
protected:
    void SetUp() override { HardwareGlobals::Instance().Reset(); }
    void TearDown() override { HardwareGlobals::Instance().Reset(); }
};

TEST_F(Globals, StartWithTheDefaultBaseNoSuspendAndNoCard) {
    const HardwareGlobals& globals = HardwareGlobals::Instance();
    EXPECT_EQ(globals.portBase, 0x300);
    EXPECT_EQ(globals.suspend, 0);
    EXPECT_NE(dynamic_cast<NoCardBus*>(&globals.Bus()), nullptr);
    EXPECT_NE(dynamic_cast<SteadyTickClock*>(&globals.Clock()), nullptr);
}

TEST_F(Globals, UseTheBusAndClockTheyAreGiven) {
    NoCardBus bus;
    ManualTickClock clock(42);
    HardwareGlobals::Instance().SetBus(bus);
    HardwareGlobals::Instance().SetClock(clock);
    EXPECT_EQ(&HardwareGlobals::Instance().Bus(), &bus);
    EXPECT_EQ(HardwareGlobals::Instance().Clock().GetTickCount(), 42u);
}

TEST_F(Globals, ResetRestoresEverything) {
    NoCardBus bus;
    ManualTickClock clock;
    HardwareGlobals& globals = HardwareGlobals::Instance();
    globals.portBase = 0x280;
    globals.suspend = 1;
    globals.SetBus(bus);
    globals.SetClock(clock);
    globals.Reset();
    EXPECT_EQ(globals.portBase, 0x300);
    EXPECT_EQ(globals.suspend, 0);
    EXPECT_NE(&globals.Bus(), &bus);
    EXPECT_NE(&globals.Clock(), &clock);
}

TEST(NoCardBusTest, FloatsHigh) {
    NoCardBus bus;
    bus.Out(0x300, 0x12);
    EXPECT_EQ(bus.In(0x303), 0xFF);
}

}  // namespace
}  // namespace qv

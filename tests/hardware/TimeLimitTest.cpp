#include "hardware/TimeLimit.h"

#include <gtest/gtest.h>

#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"

namespace qv {
namespace {

class TimeLimitTest : public ::testing::Test {
protected:
    void SetUp() override {
        HardwareGlobals::Instance().Reset();
        HardwareGlobals::Instance().SetClock(clock);
    }
    void TearDown() override { HardwareGlobals::Instance().Reset(); }
    ManualTickClock clock{5000};
};

TEST_F(TimeLimitTest, ExpiresOnlyAfterMoreThanTheLimit) {
    TimeLimit deadline(1000);
    clock.Advance(1000);
    EXPECT_FALSE(deadline.Passed());
    clock.Advance(1);
    EXPECT_TRUE(deadline.Passed());
    deadline.Restart();
    EXPECT_FALSE(deadline.Passed());
}

// A counter that wraps past 2^32 must not end the wait at once nor make it endless.
TEST_F(TimeLimitTest, WrappedTickCounterRestartsTheWait) {
    clock.Set(0xFFFFFF00u);
    TimeLimit deadline(1000);
    clock.Advance(0x200);  // wrapped: now 0x100
    EXPECT_FALSE(deadline.Passed());
    clock.Advance(1000);
    EXPECT_FALSE(deadline.Passed());
    clock.Advance(1);
    EXPECT_TRUE(deadline.Passed());
}

}  // namespace
}  // namespace qv

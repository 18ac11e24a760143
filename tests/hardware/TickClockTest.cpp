#include "hardware/TickClock.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(SteadyTickClockTest, MovesForwardInMilliseconds) {
    SteadyTickClock clock;
    const std::uint32_t first = clock.GetTickCount();
    const std::uint32_t second = clock.GetTickCount();
    // Unsigned difference, so a wrap between the two readings is harmless.
    EXPECT_LT(static_cast<std::uint32_t>(second - first), 60000u);
}

TEST(ManualTickClockTest, WrapsAtThirtyTwoBits) {
    ManualTickClock clock(0xFFFFFFFE);
    clock.Advance(3);
    EXPECT_EQ(clock.GetTickCount(), 1u);
}

TEST(SteppingTickClockTest, AdvancesOnEveryReading) {
    SteppingTickClock clock(5, 0xFFFFFFFB);
    EXPECT_EQ(clock.GetTickCount(), 0xFFFFFFFBu);
    EXPECT_EQ(clock.GetTickCount(), 0u);
    EXPECT_EQ(clock.GetTickCount(), 5u);
}

}  // namespace
}  // namespace qv

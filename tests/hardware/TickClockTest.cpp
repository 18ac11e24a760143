#include "hardware/TickClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace qv {
namespace {

TEST(SteadyTickClockTest, MovesForwardInMilliseconds) {
    // Measured against the standard steady clock across a sleep, so a clock that
    // stands still, runs in seconds or in microseconds all fail. Each reading
    // may lag by one step of the system timer (1 to 10 ms).
    SteadyTickClock clock;
    const auto realStart = std::chrono::steady_clock::now();
    const std::uint32_t first = clock.GetTickCount();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    const std::uint32_t second = clock.GetTickCount();
    const auto realMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - realStart)
                            .count();
    // Unsigned difference, so a wrap between the two readings is harmless.
    const std::uint32_t ticks = second - first;
    EXPECT_GE(ticks, 50u);
    EXPECT_LE(ticks, static_cast<std::uint32_t>(realMs) + 10);
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

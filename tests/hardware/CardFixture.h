#pragma once

#include <gtest/gtest.h>

#include "hardware/FakeCard.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"

namespace qv::test {

// A fake card at the default base on the process-wide bus, and a clock that
// moves one millisecond per status read, so every wait ends without real time.
class CardFixture : public ::testing::Test {
protected:
    void SetUp() override {
        HardwareGlobals::Instance().Reset();
        HardwareGlobals::Instance().SetBus(card);
        HardwareGlobals::Instance().SetClock(clock);
        card.AdvanceOnStatusRead(clock, 1);
    }
    void TearDown() override { HardwareGlobals::Instance().Reset(); }

    FakeCard card;
    ManualTickClock clock{1000};
};

// The process-wide state as at start-up: no card, the machine's clock.
class NoCardFixture : public ::testing::Test {
protected:
    void SetUp() override { HardwareGlobals::Instance().Reset(); }
    void TearDown() override { HardwareGlobals::Instance().Reset(); }
};

}  // namespace qv::test

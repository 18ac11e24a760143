#include "simulator/BenchOptions.h"

#include <gtest/gtest.h>

#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv::sim {
namespace {

TEST(BenchOptions, EveryFaultKindSetsItsOwnFault) {
    CardFaults faults;
    EXPECT_EQ(AddCardFault("absent", faults), "");
    EXPECT_EQ(AddCardFault("stall-bytes=17", faults), "");
    EXPECT_EQ(AddCardFault("stall-words=4095", faults), "");
    EXPECT_EQ(AddCardFault("gone-words=0", faults), "");
    EXPECT_EQ(AddCardFault("clear-never", faults), "");
    EXPECT_TRUE(faults.absent);
    EXPECT_EQ(faults.silentAfterBytes, 17u);
    EXPECT_EQ(faults.silentAfterWords, 4095u);
    EXPECT_EQ(faults.goneAfterWords, 0u);
    EXPECT_TRUE(faults.clearsNeverFinish);
    EXPECT_FALSE(faults.locked);
}

TEST(BenchOptions, WrongFaultsAreRefusedWithTheReasonAndChangeNothing) {
    CardFaults faults;
    EXPECT_EQ(AddCardFault("stall-bytes", faults),
              "the fault stall-bytes needs a count: stall-bytes=N");
    EXPECT_EQ(AddCardFault("stall-words=-1", faults),
              "the fault stall-words needs a count: stall-words=N");
    EXPECT_EQ(AddCardFault("gone-words=12x", faults),
              "the fault gone-words needs a count: gone-words=N");
    EXPECT_EQ(AddCardFault("stall-bytes=", faults),
              "the fault stall-bytes needs a count: stall-bytes=N");
    EXPECT_EQ(AddCardFault("absent=3", faults), "the fault absent takes no count");
    EXPECT_EQ(AddCardFault("melted", faults),
              "unknown fault melted (one of absent, stall-bytes=N, stall-words=N, "
              "gone-words=N, clear-never)");
    EXPECT_FALSE(faults.absent);
    EXPECT_FALSE(faults.silentAfterBytes || faults.silentAfterWords || faults.goneAfterWords);
}

TEST(BenchOptions, SourceRateMustBeInRange) {
    double rate = 5;
    EXPECT_EQ(ParseSourceRate("1", rate), "");
    EXPECT_EQ(rate, 1.0);
    EXPECT_EQ(ParseSourceRate("1e7", rate), "");
    EXPECT_EQ(rate, 1.0e7);
    EXPECT_EQ(ParseSourceRate("0.5", rate),
              "must be from 1 to 10000000 pulses per second, not 0.5");
    EXPECT_NE(ParseSourceRate("2e7", rate), "");
    EXPECT_NE(ParseSourceRate("fast", rate), "");
    EXPECT_NE(ParseSourceRate("nan", rate), "");
    EXPECT_EQ(rate, 1.0e7);
}

// What an operator practising with the named fault sees from the transfer layer.
TEST(BenchOptions, ParsedFaultsReachTheVirtualCard) {
    HardwareGlobals::Instance().Reset();
    SteppingTickClock clock;
    HardwareGlobals::Instance().SetClock(clock);
    VirtualSpectrometerOptions options;
    ASSERT_EQ(AddCardFault("stall-bytes=1", options.faults), "");
    VirtualSpectrometer card(clock, options);
    HardwareGlobals::Instance().SetBus(card);
    CHardwarePort port;
    std::uint8_t hv[4] = {};
    // The command byte went through; the card never answers the payload.
    EXPECT_EQ(port.ReadCommand(kCmdReadHighVoltage, hv, 4), 14);
    HardwareGlobals::Instance().Reset();
}

}  // namespace
}  // namespace qv::sim

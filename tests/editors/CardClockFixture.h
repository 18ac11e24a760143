#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "EditorFixture.h"
#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv::test {

// Busy waits against the virtual card: every clock reading moves time on by a
// millisecond, so the card clears and starts while the program polls, and a
// card that never confirms runs the program's time limits out.
class CardClockTest : public VirtualCardTest<SteppingTickClock> {
protected:
    // The program's time limits still run on the stepping clock.
    void RemoveCard() {
        VirtualCardTest::RemoveCard();
        HardwareGlobals::Instance().SetClock(clock);
    }

    // The counters register with the settings taken: ULock (flags 0x40) and,
    // with noCycles, both Qv cycle counters set to 0, so Qv never starts; with
    // noAaSeconds the analyser's seconds counter set to 0, so Aa never starts.
    void WriteCounters(bool uLock, bool noCycles, bool noAaSeconds = false) {
        std::uint8_t b[kCountersWriteLength] = {};
        b[0] = 0x7E;
        b[1] = static_cast<std::uint8_t>((noCycles ? 0x30 : 0x00) | (noAaSeconds ? 0x40 : 0x00));
        b[2] = static_cast<std::uint8_t>(0x30 | (uLock ? 0x40 : 0));
        b[3] = 599 & 0xFF;
        b[4] = 599 >> 8;
        b[8] = noAaSeconds ? 0xFF : 0xFE;  // start value - 1: 0xFFFFFF loads 0
        b[9] = b[10] = 0xFF;
        for (int i = 11; i < 19; ++i) {
            b[i] = 0xFF;
        }
        b[11] = b[15] = noCycles ? 0xFE : 0xFD;
        CHardwarePort port;
        ASSERT_EQ(port.WriteCommand(kCmdWriteCounters, b, kCountersWriteLength), 0);
    }

    // The run-control pairs written (command 3), in order.
    std::vector<std::vector<std::uint8_t>> RunControlWrites() const {
        std::vector<std::vector<std::uint8_t>> pairs;
        for (const auto& entry : recorder.Writes()) {
            if (entry.command == kCmdWriteRunControl) {
                pairs.push_back(entry.bytes);
            }
        }
        return pairs;
    }
};

}  // namespace qv::test

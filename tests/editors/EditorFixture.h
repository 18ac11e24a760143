#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/TickClock.h"
#include "hardware/TransferObserver.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv::test {

// Every exchange of every port object, in order.
class TransferRecorder : public TransferObserver {
public:
    struct Entry {
        Transfer::Kind kind;
        std::uint8_t command;
        std::vector<std::uint8_t> bytes;
        int error;
    };
    void OnTransfer(const Transfer& t) override {
        std::vector<std::uint8_t> bytes;
        if (t.bytes != nullptr) {
            bytes.assign(t.bytes, t.bytes + t.length);
        }
        entries.push_back({t.kind, t.command, std::move(bytes), t.error});
    }
    std::vector<Entry> Writes() const {
        std::vector<Entry> writes;
        for (const Entry& e : entries) {
            if (e.kind == Transfer::Kind::Write) {
                writes.push_back(e);
            }
        }
        return writes;
    }
    // The command codes, in order.
    std::vector<int> Commands() const {
        std::vector<int> commands;
        for (const Entry& e : entries) {
            commands.push_back(e.command);
        }
        return commands;
    }
    void Clear() { entries.clear(); }

    std::vector<Entry> entries;
};

// The card goes quiet once a transfer with this command has passed: the
// failure in the middle of an operation.
class CardGoneAfter : public TransferObserver {
public:
    CardGoneAfter(VirtualSpectrometer& card, std::uint8_t command)
        : m_card(card), m_command(command) {}
    void OnTransfer(const Transfer& t) override {
        if (t.command == m_command) {
            sim::CardFaults faults;
            faults.absent = true;
            m_card.SetFaults(faults);
        }
    }

private:
    VirtualSpectrometer& m_card;
    std::uint8_t m_command;
};

// The virtual spectrometer as the process's card, with a clock of the test's
// kind, a recorder of every transfer and a headless desktop. Anything with a
// port object is built after the card is installed, as it takes the base then.
template <typename Clock>
class VirtualCardTest : public ::testing::Test {
protected:
    VirtualCardTest() { clock.Set(1000); }
    void SetUp() override { InstallCard({}); }
    void TearDown() override { HardwareGlobals::Instance().Reset(); }

    void InstallCard(const VirtualSpectrometerOptions& options) {
        HardwareGlobals::Instance().Reset();
        card = std::make_unique<VirtualSpectrometer>(clock, options);
        HardwareGlobals::Instance().SetBus(*card);
        HardwareGlobals::Instance().SetClock(clock);
        HardwareGlobals::Instance().observer = &recorder;
    }
    // As at start-up without a card: the empty bus, which fails every wait at once.
    void RemoveCard() {
        HardwareGlobals::Instance().Reset();
        card.reset();
        HardwareGlobals::Instance().observer = &recorder;
    }

    Clock clock;
    std::unique_ptr<VirtualSpectrometer> card;
    TransferRecorder recorder;
    HeadlessUi ui;
};

// Editors with a clock that moves only when a test says so.
using EditorTest = VirtualCardTest<ManualTickClock>;

}  // namespace qv::test

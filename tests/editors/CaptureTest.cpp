// The document's capture of the hardware state, with the block captures played
// by a scripted editor layer and the spectra from the virtual card.
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <numeric>

#include "CardClockFixture.h"
#include "document/HardwareOperations.h"
#include "document/QvDoc.h"
#include "hardware/FakeCard.h"
#include "hardware/RunControlBits.h"

namespace qv::test {
namespace {

// Block captures that succeed (marking their block) unless a test scripts otherwise.
class ScriptedEditors : public HardwareEditors {
public:
    using Capture = std::function<int(CQvDoc&)>;

    bool HasEditor(int) const override { return false; }
    void RunEditor(int, CQvDoc&) override {}
    int CaptureToBuffer(CapturedBlock block, CQvDoc& doc) override {
        calls.push_back(block);
        if (const auto it = script.find(block); it != script.end()) {
            return it->second(doc);
        }
        Mark(block, doc);
        return 0;
    }
    static void Mark(CapturedBlock block, CQvDoc& doc) {
        SettingsImage& s = doc.Data().Settings;
        switch (block) {
            case CapturedBlock::CountersTimers:
                s.CountersTimers.Qv2Source = kMark;
                break;
            case CapturedBlock::Analogue:
                s.Analogue.InputSelect = kMark;
                break;
            case CapturedBlock::HighVoltage:
                s.HighVoltage.HvDesired = kMark;
                break;
            case CapturedBlock::Vibrator:
                s.Vibrator.GainDesired = kMark;
                break;
        }
    }
    static constexpr std::int32_t kMark = 4711;

    std::vector<CapturedBlock> calls;
    std::map<CapturedBlock, Capture> script;
};

const std::vector<CapturedBlock> kAllBlocks = {CapturedBlock::CountersTimers,
                                               CapturedBlock::Analogue, CapturedBlock::HighVoltage,
                                               CapturedBlock::Vibrator};

// The card answers nothing for one exchange, the count-th from now, then is
// back: a failure at one step that the next steps recover from.
class OneTransferFails : public TransferObserver {
public:
    OneTransferFails(VirtualSpectrometer& card, TransferObserver& next, int count)
        : m_card(card), m_next(next), m_left(count - 1) {}
    void OnTransfer(const Transfer& t) override {
        m_next.OnTransfer(t);
        if (t.error != 0) {
            m_card.SetFaults({});
        } else if (m_left > 0 && --m_left == 0) {
            sim::CardFaults faults;
            faults.absent = true;
            m_card.SetFaults(faults);
        }
    }

private:
    VirtualSpectrometer& m_card;
    TransferObserver& m_next;
    int m_left;
};

// Calls a test's check at every message box, while it is open.
class CheckedUi : public HeadlessUi {
public:
    MsgResult MessageBox(const MessageBoxRequest& request) override {
        if (atBox) {
            atBox();
        }
        return HeadlessUi::MessageBox(request);
    }
    std::function<void()> atBox;
};

class CaptureTest : public CardClockTest {
protected:
    void SetUp() override {
        CardClockTest::SetUp();
        MakeDocument(ui);
    }
    // Made after the card, as at start-up: its port takes the base then.
    void MakeDocument(Ui& desktop) {
        doc = std::make_unique<CQvDoc>(desktop, std::nullopt);
        doc->OnNewDocument();
        doc->SetHardwareEditors(&editors);
        doc->Description().HardwareVersion1 = 7;
        doc->Description().HardwareVersion2 = 8;
        doc->Description().HardwareVersion3 = 9;
        Measurement& m = doc->Data();
        m.Qv1.fill(11);
        m.Qv2.fill(22);
        m.Aa.fill(33);
        m.Settings.Analogue.Gain = 63;
    }
    static ScriptedEditors::Capture Fails() {
        return [](CQvDoc&) { return 1; };
    }
    std::vector<int> SpectrumSelectors() const {
        std::vector<int> selectors;
        for (const auto& e : recorder.entries) {
            if (e.kind == Transfer::Kind::Spectrum) {
                selectors.push_back(e.command);
            }
        }
        return selectors;
    }
    void ExpectOneError(int number) {
        ASSERT_EQ(ui.Boxes().size(), 1u);
        EXPECT_EQ(ui.Boxes()[0].text, "Hardware turned off?\nErr no:" + std::to_string(number));
        EXPECT_EQ(ui.Boxes()[0].caption, "Hardware acces error");
        EXPECT_EQ(ui.Boxes()[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(ui.Boxes()[0].owner, nullptr);
    }
    void ExpectSpectraUntouched() {
        const Measurement& m = doc->Data();
        EXPECT_EQ(std::count(m.Qv1.begin(), m.Qv1.end(), 11u), 4096);
        EXPECT_EQ(std::count(m.Qv2.begin(), m.Qv2.end(), 22u), 4096);
        EXPECT_EQ(std::count(m.Aa.begin(), m.Aa.end(), 33u), 8192);
    }
    // Start and go bits through the document's own port object.
    void RunControl(std::uint8_t control0, std::uint8_t control1) {
        const std::uint8_t pair[] = {control0, control1};
        ASSERT_EQ(doc->Port().WriteCommand(kCmdWriteRunControl, pair, 2), 0);
    }
    std::array<std::uint8_t, 2> RunState() {
        std::array<std::uint8_t, 2> state{};
        EXPECT_EQ(doc->Port().ReadCommand(kCmdReadRunState, state.data(), 2), 0);
        return state;
    }
    // The count enables and counting bits of the run state.
    std::array<std::uint8_t, 2> Counting() {
        const auto state = RunState();
        return {static_cast<std::uint8_t>(state[0] & 0x33),
                static_cast<std::uint8_t>(state[1] & kAaCounting)};
    }
    // Qv1 and Aa counting, Qv2 stopped.
    void StartQv1AndAa() {
        RunControl(kGoQv2 | kCountQv1 | kGoQv1, kGoAa | kCountAa);
        ASSERT_EQ(CountingOnceStarted(), kQv1AndAa);
        recorder.Clear();
    }
    std::array<std::uint8_t, 2> CountingOnceStarted() {
        for (int i = 0; i < 1000 && (RunState()[0] & kQv1Counting) == 0; ++i) {
        }
        return Counting();
    }
    static constexpr std::array<std::uint8_t, 2> kQv1AndAa{0x03, 0x04};

    ScriptedEditors editors;
    std::unique_ptr<CQvDoc> doc;
};

TEST_F(CaptureTest, WithoutACardTheFirstBlockFailsWithTwoAndOnlyStampAndFlagChange) {
    RemoveCard();
    editors.script[CapturedBlock::CountersTimers] = Fails();
    const SettingsImage before = doc->Data().Settings;
    EXPECT_EQ(doc->CaptureHardwareState(), 2);
    ExpectOneError(2);
    EXPECT_EQ(editors.calls, (std::vector<CapturedBlock>{CapturedBlock::CountersTimers}));
    EXPECT_EQ(std::memcmp(&before, &doc->Data().Settings, sizeof before), 0);
    ExpectSpectraUntouched();
    EXPECT_TRUE(doc->IsModified());
    const HardwareVersionStamp& stamp = doc->Data().Stamp;
    EXPECT_EQ(stamp.Version1, 7);
    EXPECT_EQ(stamp.Version2, 8);
    EXPECT_EQ(stamp.Version3, 9);
    EXPECT_TRUE(SpectrumSelectors().empty());
}

TEST_F(CaptureTest, WithoutAnEditorLayerTheBlocksFailAtTwo) {
    doc->SetHardwareEditors(nullptr);
    EXPECT_EQ(doc->CaptureHardwareState(), 2);
    ExpectOneError(2);
    ExpectSpectraUntouched();
}

TEST_F(CaptureTest, EachBlockStepReportsItsOwnNumberAndKeepsTheEarlierBlocks) {
    const std::pair<CapturedBlock, int> steps[] = {{CapturedBlock::Analogue, 3},
                                                   {CapturedBlock::HighVoltage, 4},
                                                   {CapturedBlock::Vibrator, 5}};
    for (const auto& [failing, number] : steps) {
        MakeDocument(ui);
        editors.calls.clear();
        editors.script = {{failing, Fails()}};
        ui.Clear();
        EXPECT_EQ(doc->CaptureHardwareState(), number);
        ExpectOneError(number);
        const std::size_t done = static_cast<std::size_t>(number - 1);
        EXPECT_EQ(editors.calls,
                  std::vector<CapturedBlock>(kAllBlocks.begin(), kAllBlocks.begin() + done));
        const SettingsImage& s = doc->Data().Settings;
        EXPECT_EQ(s.CountersTimers.Qv2Source, ScriptedEditors::kMark);
        EXPECT_EQ(s.Analogue.InputSelect == ScriptedEditors::kMark, number > 3);
        EXPECT_EQ(s.HighVoltage.HvDesired == ScriptedEditors::kMark, number > 4);
        EXPECT_NE(s.Vibrator.GainDesired, ScriptedEditors::kMark);
        ExpectSpectraUntouched();
    }
}

TEST_F(CaptureTest, SuccessReadsTheBlocksInOrderThenAaQv1Qv2AndTheStatistics) {
    StartQv1AndAa();
    clock.Set(clock.GetTickCount() + 5000);
    EXPECT_EQ(doc->CaptureHardwareState(), 0);
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_EQ(editors.calls, kAllBlocks);
    EXPECT_EQ(SpectrumSelectors(), (std::vector<int>{0x40, 0x60, 0x70}));
    const Measurement& m = doc->Data();
    EXPECT_GT(std::accumulate(m.Qv1.begin(), m.Qv1.end(), 0ull), 0u);
    EXPECT_EQ(std::accumulate(m.Qv2.begin(), m.Qv2.end(), 0ull), 0u);
    // The statistics follow the new spectra (Qv2 read empty).
    std::uint32_t maxSum = 0;
    for (std::size_t c = 0; c < kChannels; ++c) {
        maxSum = std::max(maxSum, m.AaSum(c));
    }
    EXPECT_GT(maxSum, 0u);
    EXPECT_EQ(doc->Statistics().AaSumMaximum, maxSum);
    EXPECT_EQ(doc->Statistics().Qv2Range, 1u);
    EXPECT_EQ(doc->Statistics().Qv2Minimum, 0u);
}

TEST_F(CaptureTest, SuspendFlagStopsAfterTheBlocksWithSevenAndNoMessage) {
    CHardwarePort::SetSuspend(1);
    EXPECT_EQ(doc->CaptureHardwareState(), 7);
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_EQ(editors.calls, kAllBlocks);
    EXPECT_EQ(doc->Data().Settings.Vibrator.GainDesired, ScriptedEditors::kMark);
    EXPECT_TRUE(SpectrumSelectors().empty());
    ExpectSpectraUntouched();
}

TEST_F(CaptureTest, AFailedAaReadoutReturnsSixWithoutAMessage) {
    sim::CardFaults faults;
    faults.silentAfterWords = 100;
    card->SetFaults(faults);
    EXPECT_EQ(doc->CaptureHardwareState(), 6);
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_EQ(SpectrumSelectors(), (std::vector<int>{0x40}));
}

TEST_F(CaptureTest, SuspendedCaptureWithoutACardReportsElevenAndLeavesTheDocument) {
    RemoveCard();
    EXPECT_EQ(doc->SuspendedCapture(), 11);
    ExpectOneError(11);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(editors.calls.empty());
    ExpectSpectraUntouched();
}

TEST_F(CaptureTest, SuspendedCaptureStopsCapturesAndRestartsWhatWasRunning) {
    StartQv1AndAa();
    EXPECT_EQ(doc->SuspendedCapture(), 0);
    EXPECT_TRUE(ui.Boxes().empty());
    const auto writes = RunControlWrites();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0], (std::vector<std::uint8_t>{0x11, 0x08}));
    // Saved state 0x03, 0x05: the Qv1 and Aa count bits go back, Qv2's stays 0.
    EXPECT_EQ(writes[1], (std::vector<std::uint8_t>{0x13, 0x0C}));
    // The capture ran between the two writes, once counting had stopped.
    std::vector<char> order;
    for (const auto& e : recorder.entries) {
        if (e.kind == Transfer::Kind::Spectrum || e.command == kCmdWriteRunControl) {
            order.push_back(e.kind == Transfer::Kind::Spectrum ? 'S' : 'W');
        }
    }
    EXPECT_EQ(order, (std::vector<char>{'W', 'S', 'S', 'S', 'W'}));
    EXPECT_EQ(editors.calls, kAllBlocks);
    EXPECT_EQ(CountingOnceStarted(), kQv1AndAa);
}

TEST_F(CaptureTest, SuspendedCaptureOnALockedCardSkipsTheStopButRestarts) {
    card->SetLocked(true);
    EXPECT_EQ(doc->SuspendedCapture(), 0);
    const auto writes = RunControlWrites();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0], (std::vector<std::uint8_t>{0x11, 0x08}));  // nothing was counting
    EXPECT_EQ(SpectrumSelectors(), (std::vector<int>{0x40, 0x60, 0x70}));
}

// A card that goes on counting whatever it is told.
TEST_F(CaptureTest, SuspendedCaptureGoesOnAfterTheStopTimeOut) {
    FakeCard stubborn;
    stubborn.SetReply(kCmdReadRunState, {0x33, 0x04});
    HardwareGlobals::Instance().SetBus(stubborn);
    const std::uint32_t before = clock.GetTickCount();
    EXPECT_EQ(doc->SuspendedCapture(), 0);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Timeout. Can not stop Qv,Aa.\n Hardware seems to be locked?");
    EXPECT_EQ(ui.Boxes()[0].caption, "AutoSave");
    EXPECT_EQ(ui.Boxes()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(ui.Boxes()[0].owner, nullptr);
    EXPECT_GT(clock.GetTickCount() - before, kStopLimitMs);
    EXPECT_EQ(SpectrumSelectors(), (std::vector<int>{0x40, 0x60, 0x70}));
    const auto writes = RunControlWrites();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[1], (std::vector<std::uint8_t>{0x33, 0x0C}));
}

// Counting that the autosave stopped must not stay stopped because the
// capture failed: the restart still goes out, and the result says 15.
TEST_F(CaptureTest, AFailedCaptureStillRestartsCountingAndReturnsFifteen) {
    StartQv1AndAa();
    editors.script[CapturedBlock::Analogue] = Fails();
    EXPECT_EQ(doc->SuspendedCapture(), 15);
    ExpectOneError(3);
    const auto writes = RunControlWrites();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[1], (std::vector<std::uint8_t>{0x13, 0x0C}));
}

TEST_F(CaptureTest, ARestartWriteThatFailsAfterAFailedCaptureReportsSixteen) {
    editors.script[CapturedBlock::CountersTimers] = [this](CQvDoc&) {
        RemoveCard();
        return 1;
    };
    EXPECT_EQ(doc->SuspendedCapture(), 16);
    ASSERT_EQ(ui.Boxes().size(), 2u);
    EXPECT_EQ(ui.Boxes()[0].text, "Hardware turned off?\nErr no:2");
    EXPECT_EQ(ui.Boxes()[1].text, "Hardware turned off?\nErr no:16");
}

// The card vanishes after N words of the three readouts (Aa 8192 words, then
// Qv1 and Qv2 4096 each): the document's spectra are never half of this
// capture and half of the last one.
TEST_F(CaptureTest, ABrokenReadoutNeverLeavesAMixedSpectrum) {
    struct Case {
        std::uint64_t words;
        int result;
        bool newAa, newQv1;
    };
    const Case cases[] = {
        {1, 6, false, false},
        {8191, 6, false, false},
        {8193, 8, false, false},
        {12287, 8, false, false},
        {12289, 8, false, false},
        {16383, 8, false, false},
        // Qv1 and Qv2 dead before their first word: a card without them.
        {8192, 0, true, false},
        {12288, 0, true, true},
    };
    card->SetFaults({});
    RunControl(kGoQv2 | kCountQv2 | kGoQv1 | kCountQv1, kGoAa | kCountAa);
    clock.Set(clock.GetTickCount() + 60000);
    for (const Case& c : cases) {
        MakeDocument(ui);
        sim::CardFaults faults;
        faults.goneAfterWords = c.words;
        card->SetFaults(faults);
        EXPECT_EQ(doc->CaptureHardwareState(), c.result) << c.words;
        const Measurement& m = doc->Data();
        EXPECT_EQ(std::count(m.Aa.begin(), m.Aa.end(), 33u), c.newAa ? 0 : 8192) << c.words;
        EXPECT_EQ(std::count(m.Qv1.begin(), m.Qv1.end(), 11u), c.newQv1 ? 0 : 4096) << c.words;
        EXPECT_EQ(std::count(m.Qv2.begin(), m.Qv2.end(), 22u), 4096) << c.words;
        EXPECT_TRUE(ui.Boxes().empty()) << c.words;
    }
}

// Whichever step after the first read fails, the card counts again as before
// by the time the first message opens, and the message is the step's own.
TEST_F(CaptureTest, ASuspendedCaptureThatFailsLeavesTheCardCounting) {
    struct Case {
        int failingTransfer;  // 2: status read, 3: stop write, 4: first wait read
        int result;
        const char* message;
    };
    const Case cases[] = {
        {2, 12, "Hardware turned off?\nErr no:12"},
        {3, 13, "Hardware turned off?\nErr no:13"},
        {4, 14, "Hardware turned off?\nErr no:14"},
        {0, 15, "Hardware turned off?\nErr no:3"},
    };
    for (const Case& c : cases) {
        CheckedUi checked;
        MakeDocument(checked);
        StartQv1AndAa();
        editors.script.clear();
        if (c.failingTransfer == 0) {
            editors.script[CapturedBlock::Analogue] = Fails();
        }
        std::vector<std::array<std::uint8_t, 2>> countingAtBoxes;
        checked.atBox = [&] { countingAtBoxes.push_back(CountingOnceStarted()); };
        OneTransferFails fault(*card, recorder, c.failingTransfer);
        HardwareGlobals::Instance().observer = &fault;
        EXPECT_EQ(doc->SuspendedCapture(), c.result);
        HardwareGlobals::Instance().observer = &recorder;
        ASSERT_EQ(checked.Boxes().size(), 1u) << c.result;
        EXPECT_EQ(checked.Boxes()[0].text, c.message);
        EXPECT_EQ(countingAtBoxes.front(), kQv1AndAa) << c.result;
        EXPECT_EQ(CountingOnceStarted(), kQv1AndAa) << c.result;
        RunControl(kGoQv2 | kGoQv1, kGoAa);  // stopped, for the next case
    }
}

}  // namespace
}  // namespace qv::test

#include <numeric>

#include "CardClockFixture.h"
#include "document/CommandIds.h"
#include "document/QvDoc.h"
#include "editors/ClearRunDlg.h"
#include "editors/ClearRunTemplate.h"
#include "editors/DocumentEditors.h"
#include "hardware/CHardwarePort.h"

namespace qv::test {
namespace {

using Pair = std::vector<std::uint8_t>;
using Pairs = std::vector<Pair>;

// The suspend flag as it stood at every transfer.
class SuspendWatch : public TransferObserver {
public:
    explicit SuspendWatch(TransferRecorder& inner) : m_inner(inner) {}
    void OnTransfer(const Transfer& t) override {
        flags.push_back(HardwareGlobals::Instance().suspend);
        m_inner.OnTransfer(t);
    }
    std::vector<int> flags;

private:
    TransferRecorder& m_inner;
};

class ClearRunTest : public CardClockTest {
protected:
    // Opens the panel as the Settings menu does; script plays the user.
    void Open(HeadlessUi::ModalScript script) {
        ui.QueueModalScript(std::move(script));
        CClearRunDlg dialog(ui);
        dialog.DoModal();
    }
    static CClearRunDlg& Panel(CDialog& d) { return static_cast<CClearRunDlg&>(d); }
    // Arms the given boxes and presses a button.
    static void Press(CDialog& d, std::initializer_list<int> boxes, int button) {
        for (int id : boxes) {
            d.CheckDlgButton(id, 1);
        }
        d.OnCommand(button);
    }
    static void ExpectRequestsCleared(const CDialog& d) {
        for (int id : {IDC_CLEAR_QV2, IDC_CLEAR_QV1, IDC_CLEAR_AA, IDC_ENABLE_GO_QV2,
                       IDC_ENABLE_GO_QV1, IDC_ENABLE_GO_AA}) {
            EXPECT_EQ(d.IsDlgButtonChecked(id), 0) << id;
        }
    }
    void StartAll() {
        Open([](CDialog& d) {
            Press(d,
                  {IDC_ENABLE_GO_QV2, IDC_ENABLE_GO_QV1, IDC_ENABLE_GO_AA, IDC_COUNT_QV2,
                   IDC_COUNT_QV1, IDC_COUNT_AA},
                  IDC_RUN_GO);
        });
    }
};

const Pair kIdle{0x88, 0x02};

TEST_F(ClearRunTest, OpeningRunsTheIdleHandshakeAndLeavesTheSuspendFlagAlone) {
    CHardwarePort::SetSuspend(1);
    Open([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_RUN_STATUS), "");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV2), 0);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_RUN_ULOCK), 0);
    });
    // The card asks for the idle pattern at power-up; one write arms it.
    EXPECT_EQ(recorder.Commands(), (std::vector<int>{3, 2, 4}));
    EXPECT_EQ(RunControlWrites(), (Pairs{kIdle}));
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 1);
}

TEST_F(ClearRunTest, ClearWithNothingCheckedWritesIdleNothingIdle) {
    SuspendWatch watch(recorder);
    HardwareGlobals::Instance().observer = &watch;
    Open([this, &watch](CDialog& d) {
        recorder.Clear();
        watch.flags.clear();
        d.OnCommand(IDC_CLEAR_GO);
    });
    EXPECT_EQ(RunControlWrites(), (Pairs{kIdle, {0x00, 0x00}, kIdle}));
    EXPECT_EQ(recorder.Commands(), (std::vector<int>{3, 2, 4, 3, 2, 4, 3, 2, 4}));
    // Raised for the whole sequence, released at its end.
    EXPECT_EQ(watch.flags, std::vector<int>(9, 1));
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
}

TEST_F(ClearRunTest, ClearOfAllThreeWaitsForTheCardAndEmptiesTheMemories) {
    StartAll();
    clock.Set(clock.GetTickCount() + 3000);
    Open([](CDialog& d) {
        for (int id : {IDC_COUNT_QV2, IDC_COUNT_QV1, IDC_COUNT_AA}) {
            d.CheckDlgButton(id, 0);
        }
        Press(d, {IDC_ENABLE_GO_QV2, IDC_ENABLE_GO_QV1, IDC_ENABLE_GO_AA}, IDC_RUN_GO);
    });
    const auto total = [this] {
        const auto& m = card->Card().Memories();
        return std::accumulate(m.qv1.begin(), m.qv1.end(), 0ull) +
               std::accumulate(m.qv2.begin(), m.qv2.end(), 0ull) +
               std::accumulate(m.aa.begin(), m.aa.end(), 0ull);
    };
    ASSERT_GT(total(), 0u);
    Open([this](CDialog& d) {
        recorder.Clear();
        Press(d, {IDC_CLEAR_QV2, IDC_CLEAR_QV1, IDC_CLEAR_AA}, IDC_CLEAR_GO);
        EXPECT_EQ(d.GetDlgItemText(IDC_RUN_STATUS), "");
        ExpectRequestsCleared(d);
    });
    const Pairs writes = RunControlWrites();
    ASSERT_GE(writes.size(), 3u);
    EXPECT_EQ(writes.front(), kIdle);
    EXPECT_EQ(writes[writes.size() - 2], (Pair{0xCC, 0x03}));
    EXPECT_EQ(writes.back(), kIdle);
    // More than one state read: the clear takes the card a few milliseconds.
    const auto commands = recorder.Commands();
    EXPECT_GT(std::count(commands.begin(), commands.end(), 2), 3);
    EXPECT_EQ(total(), 0u);
}

TEST_F(ClearRunTest, StartStopWithoutEnableGoWritesTheCountBitsAloneAndReadsOncePerPhase) {
    Open([this](CDialog& d) {
        recorder.Clear();
        Press(d, {IDC_COUNT_QV2, IDC_COUNT_QV1, IDC_COUNT_AA}, IDC_RUN_GO);
        // Nothing started: the boxes show the card again.
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV2), 0);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV1), 0);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_AA), 0);
    });
    EXPECT_EQ(RunControlWrites(), (Pairs{{0x22, 0x00}, {0x00, 0x04}}));
    EXPECT_EQ(recorder.Commands(), (std::vector<int>{3, 2, 4, 3, 2, 4}));
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(ClearRunTest, StartWaitsUntilEveryEnabledMemoryCountsAndShowsIt) {
    StartAll();
    EXPECT_EQ(RunControlWrites().back(), (Pair{0x00, 0x0C}));
    EXPECT_TRUE(ui.Boxes().empty());
    Open([](CDialog& d) {
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV2), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV1), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_AA), 1);
        // Stopping: go bits with the count boxes unchecked.
        d.CheckDlgButton(IDC_COUNT_QV2, 0);
        d.CheckDlgButton(IDC_COUNT_QV1, 0);
        d.CheckDlgButton(IDC_COUNT_AA, 0);
        Press(d, {IDC_ENABLE_GO_QV2, IDC_ENABLE_GO_QV1, IDC_ENABLE_GO_AA}, IDC_RUN_GO);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV2), 0);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV1), 0);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_AA), 0);
        ExpectRequestsCleared(d);
    });
    const Pairs writes = RunControlWrites();
    EXPECT_EQ(writes[writes.size() - 2], (Pair{0x11, 0x00}));
    EXPECT_EQ(writes.back(), (Pair{0x00, 0x08}));
}

TEST_F(ClearRunTest, UnlockedCardUnderTheKeyStartsButRefusesToClear) {
    WriteCounters(/*uLock=*/true, /*noCycles=*/false);
    card->SetLocked(true);
    StartAll();
    EXPECT_TRUE(ui.Boxes().empty());
    Open([this](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_RUN_STATUS), "Locked");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_RUN_ULOCK), 1);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV1), 1);
        recorder.Clear();
        Press(d, {IDC_CLEAR_QV1}, IDC_CLEAR_GO);
        EXPECT_EQ(d.GetDlgItemText(IDC_RUN_STATUS), "Locked");
    });
    // The idle handshake saw the key and ended the sequence.
    EXPECT_EQ(recorder.Commands(), (std::vector<int>{3, 2, 4}));
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
}

TEST_F(ClearRunTest, LockedCardEndsStartStopAtOnceWithoutAMessage) {
    card->SetLocked(true);
    Open([this](CDialog& d) {
        recorder.Clear();
        Press(d, {IDC_ENABLE_GO_QV1, IDC_COUNT_QV1}, IDC_RUN_GO);
        EXPECT_EQ(d.GetDlgItemText(IDC_RUN_STATUS), "Locked");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV1), 0);
    });
    EXPECT_EQ(recorder.Commands(), (std::vector<int>{3, 2, 4}));
    EXPECT_TRUE(ui.Boxes().empty());
}

// No cycles to count: Qv never starts. One message for the memories, owned by
// the panel, then the analyser phase still starts Aa.
TEST_F(ClearRunTest, StartThatNeverConfirmsGivesExactlyOneMessageThenTheAnalyserPhase) {
    WriteCounters(false, /*noCycles=*/true);
    const CDialog* panel = nullptr;
    Open([&panel](CDialog& d) {
        panel = &d;
        Press(d, {IDC_ENABLE_GO_QV1, IDC_COUNT_QV1, IDC_ENABLE_GO_AA, IDC_COUNT_AA}, IDC_RUN_GO);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV1), 0);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_AA), 1);
    });
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Can not start/stop Qv.\n Try to run it's CountHalt?");
    EXPECT_EQ(ui.Boxes()[0].caption, "");
    EXPECT_EQ(ui.Boxes()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(ui.Boxes()[0].owner, panel);
    EXPECT_EQ(RunControlWrites().back(), (Pair{0x00, 0x0C}));
}

// The analyser never starts (its seconds counter holds 0): one message a
// second after its own write, owned by the panel, and the sequence ends there.
TEST_F(ClearRunTest, AnalyserThatNeverConfirmsGivesItsMessageAfterOneSecondAndEnds) {
    WriteCounters(false, false, /*noAaSeconds=*/true);
    const CDialog* panel = nullptr;
    std::uint32_t took = 0;
    Open([&](CDialog& d) {
        panel = &d;
        recorder.Clear();
        const std::uint32_t before = clock.GetTickCount();
        Press(d, {IDC_ENABLE_GO_AA, IDC_COUNT_AA}, IDC_RUN_GO);
        took = clock.GetTickCount() - before;
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_AA), 0);
        ExpectRequestsCleared(d);
    });
    EXPECT_GT(took, 1000u);
    EXPECT_LT(took, 1200u);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Can't start/stop Aa. Run it's CountHalt?");
    EXPECT_EQ(ui.Boxes()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(ui.Boxes()[0].owner, panel);
    EXPECT_EQ(RunControlWrites(), (Pairs{{0x00, 0x00}, {0x00, 0x0C}}));
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
}

TEST_F(ClearRunTest, TheMemoriesWaitIsMeasuredFromItsOwnWrite) {
    WriteCounters(false, true);
    std::uint32_t written = 0;
    Open([this, &written](CDialog& d) {
        written = clock.GetTickCount();
        Press(d, {IDC_ENABLE_GO_QV2, IDC_COUNT_QV2}, IDC_RUN_GO);
    });
    const std::uint32_t took = clock.GetTickCount() - written;
    EXPECT_GT(took, CClearRunDlg::kMemoriesLimitMs);
    EXPECT_LT(took, CClearRunDlg::kMemoriesLimitMs + 200);
}

TEST_F(ClearRunTest, AWrappedTickCounterRestartsTheWait) {
    WriteCounters(false, true);
    Open([this](CDialog& d) {
        clock.Set(0xFFFFFFFFu - 3000);
        Press(d, {IDC_ENABLE_GO_QV2, IDC_COUNT_QV2}, IDC_RUN_GO);
    });
    ASSERT_EQ(ui.Boxes().size(), 1u);
    // 3000 ms before the wrap, then a whole limit after it.
    EXPECT_GT(clock.GetTickCount(), CClearRunDlg::kMemoriesLimitMs);
    EXPECT_LT(clock.GetTickCount(), 0x80000000u);
}

TEST_F(ClearRunTest, ClearThatNeverFinishesEndsAfterItsLimitAndReleasesTheSuspendFlag) {
    sim::CardFaults faults;
    faults.clearsNeverFinish = true;
    card->SetFaults(faults);
    Open([this](CDialog& d) {
        const std::uint32_t before = clock.GetTickCount();
        Press(d, {IDC_CLEAR_AA}, IDC_CLEAR_GO);
        EXPECT_EQ(d.GetDlgItemText(IDC_RUN_STATUS), "TimOut:clear");
        EXPECT_GT(clock.GetTickCount() - before, CClearRunDlg::kConfirmLimitMs);
        EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
        ExpectRequestsCleared(d);
        // The analyser is still busy with its clear: it never takes the idle
        // pattern, and the handshake ends on its own limit too.
        Press(d, {IDC_CLEAR_QV2}, IDC_CLEAR_GO);
        EXPECT_EQ(d.GetDlgItemText(IDC_RUN_STATUS), "TimOut:idle");
        EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
    });
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(ClearRunTest, WithoutACardEverySequenceShowsTheWriteNumberAndEnds) {
    RemoveCard();
    Open([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_RUN_STATUS), "TimOut:33");
        d.CheckDlgButton(IDC_COUNT_QV1, 1);
        Press(d, {IDC_CLEAR_QV1}, IDC_CLEAR_GO);
        EXPECT_EQ(d.GetDlgItemText(IDC_RUN_STATUS), "TimOut:33");
        // A failed sequence leaves the count boxes as they were.
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV1), 1);
        EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);
        Press(d, {IDC_ENABLE_GO_QV1}, IDC_RUN_GO);
        EXPECT_EQ(d.GetDlgItemText(IDC_RUN_STATUS), "TimOut:33");
        EXPECT_EQ(Panel(d).LastError(), 33);
    });
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(ClearRunTest, DisableUnarmsTheRequestsWithoutTouchingTheCard) {
    StartAll();
    Open([this](CDialog& d) {
        recorder.Clear();
        for (int id : {IDC_CLEAR_QV2, IDC_ENABLE_GO_QV1, IDC_ENABLE_GO_AA}) {
            d.CheckDlgButton(id, 1);
        }
        d.CheckDlgButton(IDC_COUNT_QV2, 0);
        d.OnCommand(IDC_RUN_DISABLE);
        ExpectRequestsCleared(d);
        // The count box shows its member, the last card state.
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_COUNT_QV2), 1);
        EXPECT_TRUE(recorder.entries.empty());
    });
}

TEST_F(ClearRunTest, TheSettingsMenuOpensThePanel) {
    DocumentEditors editors;
    CQvDoc doc(ui, std::nullopt);
    ASSERT_TRUE(editors.HasEditor(ID_CLEAR_RUN));
    editors.RunEditor(ID_CLEAR_RUN, doc);
    EXPECT_EQ(ui.ModalRuns(), (std::vector<int>{IDD_CLEAR_RUN}));
}

}  // namespace
}  // namespace qv::test

// The view's acquisition tick on the virtual card: autosave through the card's
// backup countdown, auto-refresh, the count-rate window, and their toggles.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

#include "../document/TempDir.h"
#include "../editors/CardClockFixture.h"
#include "ViewFixture.h"
#include "document/CommandIds.h"
#include "editors/AnalogueBlockTemplate.h"
#include "editors/DocumentEditors.h"
#include "view/PulseRateDlg.h"
#include "view/PulseRateTemplate.h"
#include "view/SliderAdjustTemplate.h"

namespace qv::test {
namespace {

// The card's countdown starts at its power-up period.
constexpr std::uint32_t kPowerUpBackupMs = 600 * 1000;

// A desktop that lets a test act while one of its boxes or file dialogs is
// open, as timer messages do.
class NestingUi : public HeadlessUi {
public:
    MsgResult MessageBox(const MessageBoxRequest& request) override {
        WhileOpen();
        return HeadlessUi::MessageBox(request);
    }
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
        WhileOpen();
        return HeadlessUi::ChooseFile(request);
    }
    std::function<void()> whileOpen;

private:
    void WhileOpen() {
        if (whileOpen) {
            whileOpen();
        }
    }
};

std::uint64_t InodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_ino) : 0;
}

class AcquisitionTickTest : public CardClockTest {
protected:
    void SetUp() override {
        CardClockTest::SetUp();
        MakeView();
    }
    void TearDown() override {
        view.reset();
        doc.reset();
        CardClockTest::TearDown();
    }
    // Made after the card, as at start-up: the document's port takes the base then.
    void MakeView() {
        view.reset();
        doc = std::make_unique<CQvDoc>(ui, std::nullopt);
        doc->OnNewDocument();
        doc->SetHardwareEditors(&editors);
        view = std::make_unique<CQvView>(ui, host);
        view->AttachDocument(*doc);
        view->Create([] { return true; });
        view->OnInitialUpdate();
    }
    void Advance(std::uint32_t ms) { clock.Set(clock.GetTickCount() + ms); }
    // Autosave on through its two questions, the second answered as given.
    void SwitchAutoSaveOn(MsgResult suspend) {
        ui.QueueAnswer(MsgResult::Yes);
        ui.QueueAnswer(suspend);
        view->OnAutoSave();
        ASSERT_TRUE(view->IsAutoSaveOn());
        ui.Clear();
    }
    void SaveAs(const std::string& path) {
        ASSERT_TRUE(doc->DoSave(path));
        ui.Clear();
    }
    int AaReads() const {
        int reads = 0;
        for (const auto& e : recorder.entries) {
            reads += e.kind == Transfer::Kind::Spectrum && e.command == kSelectAa ? 1 : 0;
        }
        return reads;
    }
    void Tick() { view->OnTimer(); }
    std::string File(const char* name) const { return (dir.Path() / name).string(); }

    NestingUi ui;
    TempDir dir;
    DocumentEditors editors;
    FakeHost host;
    std::unique_ptr<CQvDoc> doc;
    std::unique_ptr<CQvView> view;
};

// ---- the toggles -----------------------------------------------------------

TEST_F(AcquisitionTickTest, AutoSaveAsksTwiceAndRemindsOnlyInSuspendMode) {
    ui.QueueAnswer(MsgResult::No);
    view->OnAutoSave();
    EXPECT_FALSE(view->IsAutoSaveOn());
    ASSERT_EQ(ui.Boxes().size(), 1u);
    const MessageBoxRequest& warning = ui.Boxes()[0];
    EXPECT_EQ(warning.text,
              "AutoSaves under the name of the last open/saved file\n"
              "so do it once to set this file's name.\n\n"
              "    !!WARNING!!\nIt will COVER the open file!!\n"
              "So be careful not to DESTROY your VALUABLE DATA!!.");
    EXPECT_EQ(warning.caption, "About to AutoSave");
    EXPECT_EQ(warning.buttons, MsgButtons::YesNo);
    EXPECT_EQ(warning.icon, MsgIcon::Exclamation);

    ui.Clear();
    SwitchAutoSaveOn(MsgResult::No);
    EXPECT_FALSE(view->IsSuspendOnSave());

    view->OnAutoSave();  // off: silently, suspend cleared
    EXPECT_FALSE(view->IsAutoSaveOn());
    EXPECT_TRUE(ui.Boxes().empty());

    ui.QueueAnswer(MsgResult::Yes);
    ui.QueueAnswer(MsgResult::Yes);
    view->OnAutoSave();
    EXPECT_TRUE(view->IsAutoSaveOn());
    EXPECT_TRUE(view->IsSuspendOnSave());
    ASSERT_EQ(ui.Boxes().size(), 3u);
    EXPECT_EQ(ui.Boxes()[1].text, "Suspend data aquisition when downloading from hardware?");
    EXPECT_EQ(ui.Boxes()[1].caption, "AutoSave");
    EXPECT_EQ(ui.Boxes()[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.Boxes()[2].text,
              "Remember: for \"suspend\" spectrometer must not be Locked or must be UnLocked!");
    EXPECT_EQ(ui.Boxes()[2].caption, "AutoSave in Suspend mode");
    EXPECT_EQ(ui.Boxes()[2].buttons, MsgButtons::Ok);

    view->OnAutoSave();
    EXPECT_FALSE(view->IsSuspendOnSave());
}

TEST_F(AcquisitionTickTest, ToolbarButtonsShowPressedWhileTheirFunctionRuns) {
    const auto pressed = [this](int id) {
        CCmdUI state;
        state.id = id;
        EXPECT_TRUE(view->OnUpdateCmdUI(state));
        return state.radio ? 1 : 0;
    };
    EXPECT_EQ(pressed(ID_AUTO_REFRESH), 0);
    ASSERT_TRUE(view->OnCmdMsg(ID_AUTO_REFRESH));
    EXPECT_TRUE(view->IsAutoRefreshOn());
    EXPECT_EQ(pressed(ID_AUTO_REFRESH), 1);
    EXPECT_EQ(pressed(ID_AUTO_SAVE), 0);
    ASSERT_TRUE(view->OnCmdMsg(ID_AUTO_SAVE));  // both questions answered Yes
    EXPECT_EQ(pressed(ID_AUTO_SAVE), 1);
    ASSERT_TRUE(view->OnCmdMsg(ID_AUTO_REFRESH));
    EXPECT_EQ(pressed(ID_AUTO_REFRESH), 0);
    EXPECT_TRUE(recorder.entries.empty());  // no toggle reads the card
}

// ---- autosave --------------------------------------------------------------

TEST_F(AcquisitionTickTest, AutoSaveNotDueOnlyReadsTheCountdown) {
    const std::string path = File("run.qv");
    SaveAs(path);
    const std::uint64_t inode = InodeOf(path);
    SwitchAutoSaveOn(MsgResult::No);
    Advance(kPowerUpBackupMs - 5000);
    recorder.Clear();
    host.invalidations.clear();
    Tick();
    EXPECT_EQ(AaReads(), 0);
    EXPECT_TRUE(recorder.Writes().empty());
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_TRUE(host.invalidations.empty());
    EXPECT_EQ(InodeOf(path), inode);
}

TEST_F(AcquisitionTickTest, DueAutoSaveCapturesSavesAndRearmsTheCountdown) {
    const std::string path = File("run.qv");
    SaveAs(path);
    const std::uint64_t inode = InodeOf(path);
    SwitchAutoSaveOn(MsgResult::No);
    Advance(kPowerUpBackupMs + 1000);
    recorder.Clear();
    Tick();
    EXPECT_EQ(AaReads(), 1);
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_NE(InodeOf(path), inode);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(host.invalidations.back(), false);
    CQvDoc saved(ui, std::nullopt);
    ASSERT_TRUE(saved.OnOpenDocument(path));
    EXPECT_EQ(saved.Data().Aa, doc->Data().Aa);
    EXPECT_EQ(saved.Data().Settings.CountersTimers.UniversalTime,
              doc->Data().Settings.CountersTimers.UniversalTime);

    recorder.Clear();
    Advance(1500);
    Tick();  // re-armed: not due again
    EXPECT_EQ(AaReads(), 0);
}

// The Save As dialog of a never-saved document stays open across ticks;
// those do nothing. Cancelled, the next due period asks again.
TEST_F(AcquisitionTickTest, DueOnANeverSavedDocumentAsksForANameAndNestedTicksDoNothing) {
    SwitchAutoSaveOn(MsgResult::No);
    Advance(kPowerUpBackupMs + 1000);
    std::size_t nestedTransfers = 0;
    ui.whileOpen = [this, &nestedTransfers] {
        const std::size_t before = recorder.entries.size();
        Advance(kPowerUpBackupMs);
        Tick();
        Tick();
        nestedTransfers += recorder.entries.size() - before;
    };
    Tick();
    ASSERT_EQ(ui.FileDialogs().size(), 1u);
    EXPECT_EQ(nestedTransfers, 0u);
    EXPECT_TRUE(doc->GetPathName().empty());
    EXPECT_EQ(g_bInTimer, 0);

    // The countdown ran out again while the dialog was open: the next tick asks again.
    ui.whileOpen = nullptr;
    Advance(1500);
    Tick();
    EXPECT_EQ(ui.FileDialogs().size(), 2u);
    Advance(1500);
    Tick();
    EXPECT_EQ(ui.FileDialogs().size(), 2u);  // re-armed, not due: no question

    const std::string path = File("named.qv");
    ui.QueueFile(path);
    Advance(kPowerUpBackupMs);
    Tick();
    EXPECT_EQ(ui.FileDialogs().size(), 3u);
    EXPECT_EQ(doc->GetPathName(), path);
    EXPECT_TRUE(std::filesystem::exists(path));
}

// With both toggles on the card is read twice in the due tick; the file holds
// the first capture.
TEST_F(AcquisitionTickTest, BothTogglesOnAndDueCaptureTwiceAndSaveAfterTheFirst) {
    const std::string path = File("run.qv");
    SaveAs(path);
    const std::uint64_t before = InodeOf(path);
    SwitchAutoSaveOn(MsgResult::No);
    view->OnAutoRefresh();
    std::vector<std::uint64_t> fileAtAaRead;
    struct Watch : TransferObserver {
        std::function<void(const Transfer&)> seen;
        void OnTransfer(const Transfer& t) override { seen(t); }
    } watch;
    watch.seen = [&](const Transfer& t) {
        recorder.OnTransfer(t);
        if (t.kind == Transfer::Kind::Spectrum && t.command == kSelectAa) {
            fileAtAaRead.push_back(InodeOf(path));
        }
    };
    HardwareGlobals::Instance().observer = &watch;
    Advance(kPowerUpBackupMs + 1000);
    Tick();
    ASSERT_EQ(fileAtAaRead.size(), 2u);
    EXPECT_EQ(fileAtAaRead[0], before);
    EXPECT_NE(fileAtAaRead[1], before);
    EXPECT_TRUE(doc->IsModified());  // the second capture is not saved yet
}

TEST_F(AcquisitionTickTest, SuspendModeStopsCountingAroundTheAutoSaveCapture) {
    const std::string path = File("run.qv");
    SaveAs(path);
    SwitchAutoSaveOn(MsgResult::Yes);
    Advance(kPowerUpBackupMs + 1000);
    recorder.Clear();
    Tick();
    const std::vector<int> commands = recorder.Commands();
    // After the countdown's reads and re-arm write, the run state is read first.
    const auto rearm = std::find(commands.begin(), commands.end(), kCmdWriteCounters);
    ASSERT_NE(rearm, commands.end());
    ASSERT_NE(rearm + 1, commands.end());
    EXPECT_EQ(*(rearm + 1), kCmdReadRunState);
    EXPECT_EQ(commands.back(), kCmdWriteRunControl);  // counting restored
    EXPECT_EQ(AaReads(), 1);
    EXPECT_FALSE(doc->IsModified());
}

// The card goes quiet after re-arming: nothing is saved, the view is still refreshed.
TEST_F(AcquisitionTickTest, AFailedAutoSaveCaptureSavesNothingButRefreshes) {
    const std::string path = File("run.qv");
    SaveAs(path);
    const std::uint64_t inode = InodeOf(path);
    SwitchAutoSaveOn(MsgResult::No);
    CardGoneAfter drop(*card, kCmdWriteCounters);  // the countdown's re-arm
    HardwareGlobals::Instance().observer = &drop;
    Advance(kPowerUpBackupMs + 1000);
    host.invalidations.clear();
    Tick();
    EXPECT_EQ(InodeOf(path), inode);
    ASSERT_EQ(ui.Boxes().size(), 1u);  // the capture's own message
    EXPECT_EQ(ui.Boxes()[0].text.rfind("Hardware turned off?", 0), 0u) << ui.Boxes()[0].text;
    EXPECT_EQ(host.invalidations, std::vector<bool>{false});
    EXPECT_TRUE(view->IsAutoSaveOn());
}

// ---- a card that is off ----------------------------------------------------

TEST_F(AcquisitionTickTest, CardOffGivesItsMessageAtEveryTickAndSwitchesNothingOff) {
    RemoveCard();
    MakeView();
    SwitchAutoSaveOn(MsgResult::No);
    view->OnAutoRefresh();
    for (int tick = 1; tick <= 3; ++tick) {
        Advance(1500);
        Tick();
        ASSERT_EQ(ui.Boxes().size(), static_cast<std::size_t>(2 * tick));
    }
    for (std::size_t i = 0; i < ui.Boxes().size(); i += 2) {
        const MessageBoxRequest& timeout = ui.Boxes()[i];
        EXPECT_EQ(timeout.text,
                  "   Hardware TimeOut!\n\nTurn the Spectrometer on\nor uncheck the AutoSave "
                  "button.");
        EXPECT_EQ(timeout.caption, "");
        EXPECT_EQ(timeout.buttons, MsgButtons::Ok);
        EXPECT_EQ(ui.Boxes()[i + 1].text, "Hardware turned off?\nErr no:2");
    }
    EXPECT_TRUE(view->IsAutoSaveOn());
    EXPECT_TRUE(view->IsAutoRefreshOn());
    EXPECT_EQ(g_bInTimer, 0);
}

// A tick inside the timeout box (the box stays open while timer messages come).
TEST_F(AcquisitionTickTest, TicksWhileATicksBoxIsOpenDoNothing) {
    RemoveCard();
    MakeView();
    SwitchAutoSaveOn(MsgResult::No);
    int nested = 0;
    ui.whileOpen = [this, &nested] {
        ++nested;
        Tick();
    };
    Tick();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(ui.Boxes().size(), 1u);
}

// ---- the count-rate window -------------------------------------------------

TEST_F(AcquisitionTickTest, CountRateWindowReadsOnlyTheRatesAloneAndLastAfterARefresh) {
    Advance(10 * 1000);  // the virtual source counts for ten seconds
    bool ran = false;
    ui.QueueModalScript([&](CDialog& dialog) {
        ASSERT_EQ(view->CountRateWindow(), &dialog);
        recorder.Clear();
        Tick();
        ASSERT_EQ(recorder.entries.size(), 1u);
        const auto& read = recorder.entries[0];
        EXPECT_EQ(read.kind, Transfer::Kind::Read);
        EXPECT_EQ(read.command, kCmdReadCounterStarts);
        EXPECT_EQ(read.bytes.size(), 22u);
        const auto rate = [&](std::size_t at) {
            return std::to_string(read.bytes[at] | read.bytes[at + 1] << 8 |
                                  read.bytes[at + 2] << 16);
        };
        EXPECT_EQ(dialog.GetDlgItemText(IDC_RATE_QV1), rate(16));
        EXPECT_EQ(dialog.GetDlgItemText(IDC_RATE_QV2), rate(19));
        // With auto-refresh the capture comes first, the rates last.
        view->OnAutoRefresh();
        recorder.Clear();
        Tick();
        view->OnAutoRefresh();
        ASSERT_GE(recorder.entries.size(), 2u);
        const auto last = recorder.entries.end() - 1;
        EXPECT_EQ(last->kind, Transfer::Kind::Read);
        EXPECT_EQ(last->command, kCmdReadCounterStarts);
        EXPECT_EQ((last - 1)->kind, Transfer::Kind::Spectrum);
        EXPECT_EQ((last - 1)->command, kSelectQv2);
        ran = true;
    });
    ASSERT_TRUE(view->OnCmdMsg(ID_PULSE_RATE));
    EXPECT_TRUE(ran);
    EXPECT_EQ(view->CountRateWindow(), nullptr);
    recorder.Clear();
    Tick();
    EXPECT_TRUE(recorder.entries.empty());
}

// ---- the slider service ----------------------------------------------------

// The two-pulse stimulator on InputB, counted by the analyser: the service
// clears the memory at the first refresh and measures both peaks at the next.
TEST_F(AcquisitionTickTest, SliderServiceMeasuresTheStimulatorsTwoPeaksOverTheRefreshes) {
    ui.QueueModalScript([](CDialog& d) {
        d.ClickRadio(IDC_INPUT_B);
        d.OnCommand(IDC_ANALOGUE_TO_HARDWARE);
    });
    editors.RunEditor(ID_SET_ANALOGUE, *doc);
    const std::uint8_t countAll[] = {0x33, 0x0C};
    ASSERT_EQ(CHardwarePort().WriteCommand(kCmdWriteRunControl, countAll, kRunControlLength), 0);
    Advance(30 * 1000);
    view->OnAutoRefresh();
    CSliderAdjustDlg& slider = view->SliderAdjust();
    ui.QueueModalScript([this](CDialog& d) {
        d.TypeText(IDC_SLIDER_TICKS_DESIRED, "2");
        d.OnCommand(IDC_SLIDER_TICK_UPDATE);
        Tick();  // clears the analyser
        EXPECT_EQ(d.GetDlgItemText(IDC_SLIDER_TICKS_LEFT), "2");
        for (int tick = 0; tick < 3; ++tick) {
            Advance(20 * 1000);
            Tick();
        }
        EXPECT_EQ(d.GetDlgItemText(IDC_SLIDER_TICKS_LEFT), "0");
    });
    ASSERT_TRUE(view->OnCmdMsg(ID_SLIDER_ADJUST));
    EXPECT_EQ(slider.m_bOpen, 0);
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_GT(slider.m_nLeft1, 0);
    EXPECT_LT(slider.m_nLeft1, slider.m_nRight1);
    EXPECT_LT(slider.m_nRight1, slider.m_nLeft2);
    EXPECT_LT(slider.m_nLeft2, slider.m_nRight2);
    EXPECT_GT(slider.m_dwIntegral1, 1000u);
    EXPECT_GT(slider.m_dwIntegral2, 1000u);
    // Narrow, clean peaks: the mean inside, a deviation of a few channels.
    const double mean1 = std::stod(slider.m_strMean1);
    const double mean2 = std::stod(slider.m_strMean2);
    EXPECT_GT(mean1, slider.m_nLeft1);
    EXPECT_LT(mean1, slider.m_nRight1);
    EXPECT_GT(mean2, slider.m_nLeft2);
    EXPECT_LT(mean2, slider.m_nRight2);
    EXPECT_LT(std::stod(slider.m_strStdDev1), 20.0);
    EXPECT_LT(std::stod(slider.m_strStdDev2), 20.0);
    EXPECT_EQ(HardwareGlobals::Instance().suspend, 0);  // the clear released the flag
}

}  // namespace
}  // namespace qv::test

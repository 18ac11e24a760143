#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "framework/DataExchange.h"
#include "framework/HeadlessUi.h"

namespace qv {
namespace {

enum : int {
    kName = 100,
    kCount = 101,
    kCountSpin = 102,
    kBias = 103,
    kBiasSpin = 104,
    kReadOnly = 105,
    kLocked = 106,
    kHigh = 107,
    kFirst = 110,
    kSecond = 111,
    kThird = 112,
    kOther = 113,
    kLoose = 120,
    kApply = 130,
    kGhost = 131,
};

ControlTemplate Make(int id, ControlKind kind, std::string text = {}, unsigned style = 0,
                     int buddy = 0) {
    ControlTemplate control;
    control.id = id;
    control.kind = kind;
    control.text = std::move(text);
    control.style = style;
    control.buddy = buddy;
    return control;
}

const DialogTemplate& TestTemplate() {
    static const DialogTemplate t = [] {
        DialogTemplate d;
        d.id = 321;
        d.caption = "Test";
        d.controls = {
            Make(kStaticId, ControlKind::StaticText, "Name"),
            Make(kName, ControlKind::Edit, "initial"),
            Make(kCount, ControlKind::DigitsEdit, "0"),
            Make(kCountSpin, ControlKind::Spin, "", 0, kCount),
            Make(kBias, ControlKind::Edit, "0"),
            Make(kBiasSpin, ControlKind::Spin, "", 0, kBias),
            Make(kReadOnly, ControlKind::ReadOnlyEdit, "shown"),
            Make(kLocked, ControlKind::Button, "--> Buffer", kDisabled),
            Make(kHigh, ControlKind::CheckBox, "High range"),
            Make(kFirst, ControlKind::RadioButton, "1", kGroupStart),
            Make(kSecond, ControlKind::RadioButton, "2"),
            Make(kThird, ControlKind::RadioButton, "3"),
            Make(kOther, ControlKind::RadioButton, "other group", kGroupStart),
            Make(kStaticId, ControlKind::GroupBox, "frame"),
            Make(kLoose, ControlKind::RadioButton, "after a frame"),
            Make(kApply, ControlKind::Button, "Apply"),
            Make(kGhost, ControlKind::Button, "Ghost", kDisabled),
            Make(IDOK, ControlKind::DefaultButton, "OK"),
            Make(IDCANCEL, ControlKind::Button, "Cancel"),
        };
        return d;
    }();
    return t;
}

// Records what the dialog tells its window.
class RecordingHost : public DialogHost {
public:
    std::vector<int> changed;
    std::vector<int> focused;
    std::vector<ShowCommand> shown;
    std::vector<int> ended;
    std::vector<int> heights;
    std::vector<bool> invalidations;

    void ControlChanged(int id) override { changed.push_back(id); }
    void FocusControl(int id) override { focused.push_back(id); }
    void Show(ShowCommand command) override { shown.push_back(command); }
    void EndModal(int result) override { ended.push_back(result); }
    void SetHeight(int pixels) override { heights.push_back(pixels); }
    void InvalidateOwner(bool erase) override { invalidations.push_back(erase); }
};

class TestDlg : public CDialog {
public:
    explicit TestDlg(Ui& ui) : CDialog(TestTemplate(), ui) {}

    std::string Name = "from member";
    int initCalls = 0;
    std::vector<std::string> events;
    std::vector<std::pair<int, int>> spinCalls;
    bool allowSpin = true;

    bool OnInitDialog() override {
        ++initCalls;
        CDialog::OnInitDialog();
        SendSpinMessage(kCountSpin, UDM_SETRANGE, 0, 65540);  // 1..4
        return true;
    }
    void DoDataExchange(CDataExchange& dx) override { DDX_Text(dx, kName, Name); }

    void Register() {
        OnButton(kApply, [this] { events.push_back("apply"); });
        OnButton(kHigh, [this] { events.push_back("high"); });
        OnButton(kSecond, [this] { events.push_back("second"); });
        OnFocusLost(kName, [this] { events.push_back("left name"); });
        OnSpinDelta(kBiasSpin, [this](int position, int delta) {
            spinCalls.emplace_back(position, delta);
            return allowSpin;
        });
    }
};

class DialogTest : public ::testing::Test {
protected:
    HeadlessUi ui;
    TestDlg dlg{ui};
    RecordingHost host;
};

TEST_F(DialogTest, EveryAddressableControlStartsFromItsTemplate) {
    EXPECT_EQ(dlg.GetDlgItemText(kName), "initial");
    EXPECT_EQ(dlg.GetDlgItemText(kReadOnly), "shown");
    EXPECT_TRUE(dlg.Control(kName).enabled);
    EXPECT_FALSE(dlg.Control(kLocked).enabled);
    EXPECT_EQ(dlg.Control(kHigh).check, 0);
    EXPECT_EQ(dlg.Control(kName).textLimit, 0);
    EXPECT_TRUE(dlg.HasControl(IDOK));
    EXPECT_FALSE(dlg.HasControl(kStaticId));
    EXPECT_FALSE(dlg.HasControl(999));
}

TEST_F(DialogTest, UnknownControlIsAProgrammingError) {
    try {
        dlg.Control(999);
        FAIL() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_NE(std::string(e.what()).find("999"), std::string::npos);
    }
    EXPECT_THROW(dlg.SetDlgItemText(kStaticId, "x"), std::out_of_range);
    EXPECT_THROW(std::as_const(dlg).Control(4711), std::out_of_range);
}

TEST(DialogTemplateTest, RadioGroupsEndAtGroupStartOrAnyOtherControl) {
    const DialogTemplate& t = TestTemplate();
    EXPECT_EQ(t.RadioGroup(kFirst), (std::vector<int>{kFirst, kSecond, kThird}));
    EXPECT_EQ(t.RadioGroup(kOther), (std::vector<int>{kOther}));
    EXPECT_EQ(t.RadioGroup(kLoose), (std::vector<int>{kLoose}));
    EXPECT_TRUE(t.RadioGroup(kName).empty());
    EXPECT_TRUE(t.RadioGroup(999).empty());
    EXPECT_EQ(t.RadioGroupOf(kThird), (std::vector<int>{kFirst, kSecond, kThird}));
    EXPECT_EQ(t.RadioGroupOf(kOther), (std::vector<int>{kOther}));
    ASSERT_NE(t.Find(kCountSpin), nullptr);
    EXPECT_EQ(t.Find(kCountSpin)->buddy, kCount);
    EXPECT_EQ(t.Find(kStaticId), nullptr);
    EXPECT_EQ(t.Find(999), nullptr);
}

// lParam as a caller packs it: upper bound low, lower bound high.
long PackRange(int lower, int upper) {
    return static_cast<long>(static_cast<unsigned long>(static_cast<std::uint16_t>(lower)) << 16 |
                             static_cast<std::uint16_t>(upper));
}

TEST_F(DialogTest, SpinRangeUnpacksBothHalvesAsSignedShorts) {
    EXPECT_EQ(dlg.SendSpinMessage(kCountSpin, UDM_SETRANGE, 0, 1023), 0);
    EXPECT_EQ(dlg.Control(kCountSpin).spinLower, 0);
    EXPECT_EQ(dlg.Control(kCountSpin).spinUpper, 1023);
    dlg.SendSpinMessage(kCountSpin, UDM_SETRANGE, 0, 65540);
    EXPECT_EQ(dlg.Control(kCountSpin).spinLower, 1);
    EXPECT_EQ(dlg.Control(kCountSpin).spinUpper, 4);
    dlg.SendSpinMessage(kBiasSpin, UDM_SETRANGE, 0, PackRange(-2048, 2047));
    EXPECT_EQ(dlg.Control(kBiasSpin).spinLower, -2048);
    EXPECT_EQ(dlg.Control(kBiasSpin).spinUpper, 2047);
    // The same bits sign-extended, as a 32-bit long would carry them.
    dlg.SendSpinMessage(kBiasSpin, UDM_SETRANGE, 0, static_cast<std::int32_t>(0xF80007FFu));
    EXPECT_EQ(dlg.Control(kBiasSpin).spinLower, -2048);
    EXPECT_EQ(dlg.Control(kBiasSpin).spinUpper, 2047);
}

TEST_F(DialogTest, SpinMovesFromTheBuddyTextAndStopsAtTheRangeEnds) {
    dlg.SendSpinMessage(kCountSpin, UDM_SETRANGE, 0, 1023);
    dlg.TypeText(kCount, "999");
    dlg.ClickSpin(kCountSpin, 1);
    EXPECT_EQ(dlg.GetDlgItemText(kCount), "1000");  // no thousands separator
    EXPECT_EQ(dlg.Control(kCountSpin).spinPos, 1000);
    dlg.TypeText(kCount, "1023");
    dlg.ClickSpin(kCountSpin, 1);
    EXPECT_EQ(dlg.GetDlgItemText(kCount), "1023");
    dlg.TypeText(kCount, "");
    dlg.ClickSpin(kCountSpin, -1);  // no number in the box: from the spin's own position
    EXPECT_EQ(dlg.GetDlgItemText(kCount), "1022");
}

TEST_F(DialogTest, SpinWithNegativeRangeReachesItsLowerEnd) {
    dlg.SendSpinMessage(kBiasSpin, UDM_SETRANGE, 0, PackRange(-2048, 2047));
    dlg.SetDlgItemText(kBias, "-2047");
    dlg.ClickSpin(kBiasSpin, -1);
    EXPECT_EQ(dlg.GetDlgItemText(kBias), "-2048");
    dlg.ClickSpin(kBiasSpin, -1);
    EXPECT_EQ(dlg.GetDlgItemText(kBias), "-2048");
}

TEST_F(DialogTest, SpinHandlerSeesThePositionBeforeTheMoveAndMayRefuse) {
    dlg.Register();
    dlg.SendSpinMessage(kBiasSpin, UDM_SETRANGE, 0, PackRange(0, 3));
    dlg.SetDlgItemText(kBias, "3");
    dlg.ClickSpin(kBiasSpin, 1);  // would leave the range: still asked
    EXPECT_EQ(dlg.GetDlgItemText(kBias), "3");
    dlg.SetDlgItemText(kBias, "9");  // out of range text counts as the range end
    dlg.ClickSpin(kBiasSpin, -1);
    EXPECT_EQ(dlg.GetDlgItemText(kBias), "2");
    dlg.allowSpin = false;
    dlg.ClickSpin(kBiasSpin, -1);
    EXPECT_EQ(dlg.GetDlgItemText(kBias), "2");
    EXPECT_EQ(dlg.Control(kBiasSpin).spinPos, 2);
    EXPECT_EQ(dlg.spinCalls, (std::vector<std::pair<int, int>>{{3, 1}, {3, -1}, {2, -1}}));
}

TEST_F(DialogTest, DisabledSpinDoesNothing) {
    dlg.Register();
    dlg.EnableControl(kBiasSpin, false);
    dlg.ClickSpin(kBiasSpin, 1);
    EXPECT_EQ(dlg.GetDlgItemText(kBias), "0");
    EXPECT_TRUE(dlg.spinCalls.empty());
}

TEST_F(DialogTest, TypingFiltersLikeTheControlAndFiresNoCommand) {
    dlg.Register();
    dlg.AttachHost(&host);
    dlg.TypeText(kCount, "1a2-3 ");
    EXPECT_EQ(dlg.GetDlgItemText(kCount), "123");
    dlg.TypeText(kName, "typed");
    EXPECT_EQ(dlg.GetDlgItemText(kName), "typed");
    // Only the box whose text was changed by the filter needs a redraw.
    EXPECT_EQ(host.changed, std::vector<int>{kCount});
    dlg.LimitText(kName, 3);
    dlg.TypeText(kName,
                 "\xC3\xA4"
                 "bcdef");
    EXPECT_EQ(dlg.GetDlgItemText(kName),
              "\xC3\xA4"
              "bc");
    EXPECT_TRUE(dlg.events.empty());
}

TEST_F(DialogTest, UsersCannotTypeIntoReadOnlyOrDisabledBoxes) {
    dlg.TypeText(kReadOnly, "x");
    EXPECT_EQ(dlg.GetDlgItemText(kReadOnly), "shown");
    dlg.EnableControl(kName, false);
    dlg.TypeText(kName, "x");
    EXPECT_EQ(dlg.GetDlgItemText(kName), "initial");
    dlg.SetDlgItemText(kReadOnly, "program may");
    EXPECT_EQ(dlg.GetDlgItemText(kReadOnly), "program may");
}

TEST_F(DialogTest, CheckBoxTogglesThenCommands) {
    dlg.Register();
    dlg.ClickCheck(kHigh);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kHigh), 1);
    dlg.ClickCheck(kHigh);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kHigh), 0);
    EXPECT_EQ(dlg.events, (std::vector<std::string>{"high", "high"}));
    dlg.EnableControl(kHigh, false);
    dlg.ClickCheck(kHigh);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kHigh), 0);
    EXPECT_EQ(dlg.events.size(), 2u);
}

TEST_F(DialogTest, RadioClickSelectsWithinItsOwnGroupOnly) {
    dlg.Register();
    dlg.CheckDlgButton(kFirst, 1);
    dlg.CheckDlgButton(kOther, 1);
    dlg.ClickRadio(kSecond);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kFirst), 0);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kSecond), 1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kThird), 0);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kOther), 1);
    EXPECT_EQ(dlg.events, std::vector<std::string>{"second"});
    dlg.ClickRadio(kThird);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kSecond), 0);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kThird), 1);
}

TEST_F(DialogTest, CommandsGoToHandlersAndDisabledButtonsIgnoreThem) {
    dlg.Register();
    dlg.OnCommand(kApply);
    dlg.OnCommand(kGhost);
    dlg.OnCommand(kLocked);
    dlg.OnKillFocus(kName);
    dlg.OnKillFocus(kCount);  // no handler: nothing
    EXPECT_EQ(dlg.events, (std::vector<std::string>{"apply", "left name"}));
    dlg.EnableControl(kApply, false);
    dlg.OnCommand(kApply);
    EXPECT_EQ(dlg.events.size(), 2u);
}

TEST_F(DialogTest, HostHearsAboutChangesFocusAndEnd) {
    dlg.AttachHost(&host);
    dlg.SetDlgItemText(kName, "a");
    dlg.CheckDlgButton(kHigh, 1);
    dlg.EnableControl(kApply, false);
    dlg.SendSpinMessage(kCountSpin, UDM_SETRANGE, 0, 10);
    dlg.GotoDlgCtrl(kCount);
    EXPECT_EQ(host.changed, (std::vector<int>{kName, kHigh, kApply, kCountSpin}));
    EXPECT_EQ(host.focused, std::vector<int>{kCount});
    EXPECT_EQ(dlg.FocusedControl(), kCount);
    dlg.MarkRunning();
    dlg.EndDialog(7);
    EXPECT_EQ(host.ended, std::vector<int>{7});
    EXPECT_FALSE(dlg.IsRunning());
    EXPECT_EQ(dlg.Result(), 7);
}

TEST_F(DialogTest, HeightAndOwnerRepaintsAreKeptAndPassedOn) {
    EXPECT_EQ(dlg.Height(), 0);
    dlg.SetHeight(150);
    dlg.InvalidateOwner(true);
    EXPECT_EQ(dlg.Height(), 150);
    EXPECT_EQ(dlg.OwnerInvalidations(), 1);
    EXPECT_TRUE(dlg.LastOwnerErase());
    dlg.AttachHost(&host);
    dlg.SetHeight(366);
    dlg.InvalidateOwner(false);
    EXPECT_EQ(host.heights, std::vector<int>{366});
    EXPECT_EQ(host.invalidations, std::vector<bool>{false});
    EXPECT_EQ(dlg.OwnerInvalidations(), 2);
}

// --- Modal runs through the headless Ui ----------------------------------

TEST_F(DialogTest, ModalRunInitialisesRunsTheScriptAndReturnsItsEndCode) {
    dlg.Register();
    ui.QueueModalScript([this](CDialog& d) {
        EXPECT_EQ(&d, &dlg);
        EXPECT_TRUE(d.IsRunning());
        EXPECT_EQ(dlg.initCalls, 1);
        EXPECT_EQ(d.GetDlgItemText(kName), "from member");  // base init loads members
        EXPECT_EQ(d.Control(kCountSpin).spinUpper, 4);
        d.OnCommand(kApply);
        d.EndDialog(42);
    });
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(dlg.events, std::vector<std::string>{"apply"});
    EXPECT_EQ(ui.ModalRuns(), std::vector<int>{321});
    EXPECT_EQ(ui.PendingScripts(), 0u);
}

TEST_F(DialogTest, ModalRunWithoutScriptIsCancelled) {
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(dlg.IsRunning());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.initCalls, 2);
    EXPECT_EQ(ui.ModalRuns(), (std::vector<int>{321, 321}));
}

TEST_F(DialogTest, OkButtonTakesTheControlsAndEnds) {
    ui.QueueModalScript([](CDialog& d) {
        d.TypeText(kName, "entered");
        d.OnCommand(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.Name, "entered");
}

class StubbornDlg : public TestDlg {
public:
    using TestDlg::TestDlg;
    void OnCancel() override { ++cancels; }
    bool OnInitDialog() override {
        if (endAtStart) {
            EndDialog(5);
        }
        return true;
    }
    int cancels = 0;
    bool endAtStart = false;
};

TEST(HeadlessModal, DialogThatIgnoresCancelIsStillClosed) {
    HeadlessUi ui;
    StubbornDlg dlg(ui);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.cancels, 1);
    EXPECT_FALSE(dlg.IsRunning());
}

TEST(HeadlessModal, DialogEndedAtStartUsesUpItsScriptWithoutRunningIt) {
    HeadlessUi ui;
    StubbornDlg first(ui);
    first.endAtStart = true;
    TestDlg second(ui);
    bool firstScriptRan = false;
    ui.QueueModalScript([&](CDialog&) { firstScriptRan = true; });
    ui.QueueModalScript([](CDialog& d) { d.EndDialog(IDOK); });
    EXPECT_EQ(first.DoModal(), 5);
    EXPECT_FALSE(firstScriptRan);
    EXPECT_EQ(second.DoModal(), IDOK);
}

TEST(HeadlessModal, NestedDialogTakesTheNextScript) {
    HeadlessUi ui;
    TestDlg outer(ui);
    TestDlg inner(ui);
    int innerResult = 0;
    ui.QueueModalScript([&](CDialog& d) {
        innerResult = inner.DoModal();
        d.EndDialog(IDOK);
    });
    ui.QueueModalScript([](CDialog& d) { d.EndDialog(9); });
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(innerResult, 9);
    EXPECT_EQ(ui.ModalRuns(), (std::vector<int>{321, 321}));
}

// --- Timers --------------------------------------------------------------

TEST(HeadlessTimers, TicksOnlyWhenFiredAndStopsWhenKilled) {
    HeadlessUi ui;
    int ticks = 0;
    EXPECT_FALSE(ui.FireTimer(103));
    ui.SetTimer(103, 1500, [&] { ++ticks; });
    EXPECT_TRUE(ui.HasTimer(103));
    EXPECT_EQ(ui.TimerPeriod(103), 1500u);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(ui.FireTimer(103));
    EXPECT_TRUE(ui.FireTimer(103));
    EXPECT_EQ(ticks, 2);
    ui.KillTimer(103);
    EXPECT_FALSE(ui.FireTimer(103));
    EXPECT_EQ(ticks, 2);
    ASSERT_EQ(ui.TimerCalls().size(), 2u);
    EXPECT_TRUE(ui.TimerCalls()[0].set);
    EXPECT_EQ(ui.TimerCalls()[0].periodMs, 1500u);
    EXPECT_FALSE(ui.TimerCalls()[1].set);
    EXPECT_EQ(ui.TimerCalls()[1].id, 103);
}

TEST(HeadlessTimers, TickMayKillItsOwnTimer) {
    HeadlessUi ui;
    int ticks = 0;
    ui.SetTimer(1, 10, [&] {
        ++ticks;
        ui.KillTimer(1);
    });
    EXPECT_TRUE(ui.FireTimer(1));
    EXPECT_FALSE(ui.FireTimer(1));
    EXPECT_EQ(ticks, 1);
}

TEST(HeadlessTimers, TicksArriveWhileAModalDialogIsOpen) {
    HeadlessUi ui;
    TestDlg dlg(ui);
    std::vector<bool> openAtTick;
    ui.SetTimer(103, 1500, [&] { openAtTick.push_back(dlg.IsRunning()); });
    ui.QueueModalScript([&](CDialog&) {
        ui.FireTimer(103);
        ui.FireTimer(103);
    });
    dlg.DoModal();
    ui.FireTimer(103);
    EXPECT_EQ(openAtTick, (std::vector<bool>{true, true, false}));
}

// --- Modeless ------------------------------------------------------------

TEST(Modeless, CreatedHiddenThenShownAndHidden) {
    HeadlessUi ui;
    RecordingHost host;
    TestDlg panel(ui);
    panel.AttachHost(&host);
    EXPECT_TRUE(panel.Create());
    EXPECT_EQ(panel.initCalls, 1);
    EXPECT_FALSE(panel.IsWindowVisible());
    EXPECT_EQ(ui.ModelessCreated(), std::vector<int>{321});
    EXPECT_TRUE(ui.ModalRuns().empty());
    panel.ShowWindow(ShowCommand::Restore);
    EXPECT_TRUE(panel.IsWindowVisible());
    panel.ShowWindow(ShowCommand::Hide);
    EXPECT_FALSE(panel.IsWindowVisible());
    panel.ShowWindow(ShowCommand::Show);
    EXPECT_TRUE(panel.IsWindowVisible());
    EXPECT_EQ(host.shown, (std::vector<ShowCommand>{ShowCommand::Restore, ShowCommand::Hide,
                                                    ShowCommand::Show}));
}

TEST(Modeless, EndingOnlyHidesTheWindow) {
    HeadlessUi ui;
    RecordingHost host;
    TestDlg panel(ui);
    panel.AttachHost(&host);
    panel.Create();
    panel.ShowWindow(ShowCommand::Show);
    panel.OnCommand(IDCANCEL);
    EXPECT_FALSE(panel.IsWindowVisible());
    EXPECT_TRUE(host.ended.empty());
    EXPECT_EQ(host.shown.back(), ShowCommand::Hide);
    panel.ShowWindow(ShowCommand::Show);  // and can come back
    EXPECT_TRUE(panel.IsWindowVisible());
}

TEST(Modeless, WindowIsDestroyedWithTheObjectButModalOnesAreNot) {
    HeadlessUi ui;
    {
        TestDlg panel(ui);
        panel.Create();
        TestDlg editor(ui);
        editor.DoModal();
    }
    EXPECT_EQ(ui.WindowsDestroyed(), std::vector<int>{321});
}

}  // namespace
}  // namespace qv

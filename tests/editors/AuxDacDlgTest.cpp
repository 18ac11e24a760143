#include "EditorFixture.h"
#include "editors/AuxDacDlg.h"
#include "editors/AuxDacTemplate.h"
#include "framework/DataExchange.h"
#include "hardware/CommandCodes.h"

namespace qv::test {
namespace {

const std::vector<int> kReadCommands{kCmdReadAux, kCmdReadStatus, kCmdReadDac};

TEST(AuxDacPacking, EachByteIsTheLowEightBitsOfItsMember) {
    const AuxDacImage image = PackAuxDac({1, 0x7F, 0x80, 256, 0x1FF, 0x12345});
    EXPECT_EQ(image.aux, (std::array<std::uint8_t, 5>{1, 0x7F, 0x80, 0x00, 0xFF}));
    EXPECT_EQ(image.dac, 0x45);
    const AuxDacValues back = UnpackAuxDac({{200, 3, 0xFF, 0, 17}, 0xFE});
    EXPECT_EQ(back.Aux0, 200);
    EXPECT_EQ(back.Aux1, 3);
    EXPECT_EQ(back.Aux2, 255);
    EXPECT_EQ(back.Aux3, 0);
    EXPECT_EQ(back.Aux4, 17);
    EXPECT_EQ(back.Dac8, 254);
}

class AuxDacTest : public EditorTest {
protected:
    // Opens the editor as the Settings menu does and plays the user in it.
    void Run(HeadlessUi::ModalScript script) {
        ui.QueueModalScript(std::move(script));
        CAuxDacDlg dialog(ui);
        dialog.DoModal();
    }
    static void Type(CDialog& d, const std::vector<std::pair<int, const char*>>& entries) {
        for (const auto& [id, text] : entries) {
            d.TypeText(id, text);
        }
    }
};

TEST_F(AuxDacTest, OpeningReadsTheAuxBytesThenTheDacWithItsStatus) {
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_AUX_STATUS), "notLocked");
        EXPECT_EQ(d.Control(IDC_DAC8_SPIN).spinLower, 0);
        EXPECT_EQ(d.Control(IDC_DAC8_SPIN).spinUpper, 255);
    });
    EXPECT_EQ(recorder.Commands(), kReadCommands);
}

TEST_F(AuxDacTest, WriteSendsTheDacFirstThenTheAuxBytesAndShowsWhatTheCardHolds) {
    Run([](CDialog& d) {
        Type(d, {{IDC_AUX0, "10"},
                 {IDC_AUX1, "21"},
                 {IDC_AUX2, "255"},
                 {IDC_AUX3, "33"},
                 {IDC_AUX4, "7"},
                 {IDC_DAC8, "128"}});
        d.OnCommand(IDC_AUX_TO_HARDWARE);
    });
    const auto writes = recorder.Writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].command, kCmdWriteDac);
    EXPECT_EQ(writes[0].bytes, (std::vector<std::uint8_t>{128}));
    EXPECT_EQ(writes[1].command, kCmdWriteAux);
    EXPECT_EQ(writes[1].bytes, (std::vector<std::uint8_t>{10, 21, 255, 33, 7}));
    EXPECT_EQ(card->Card().Aux().aux, (std::array<std::uint8_t, 5>{10, 21, 255, 33, 7}));
    EXPECT_EQ(card->Card().Aux().dac, 128);
    const auto commands = recorder.Commands();
    EXPECT_EQ(std::vector<int>(commands.end() - 3, commands.end()), kReadCommands);

    // A second opening starts from the card again and finds the values there.
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_AUX0), "10");
        EXPECT_EQ(d.GetDlgItemText(IDC_AUX1), "21");
        EXPECT_EQ(d.GetDlgItemText(IDC_AUX2), "255");
        EXPECT_EQ(d.GetDlgItemText(IDC_AUX3), "33");
        EXPECT_EQ(d.GetDlgItemText(IDC_AUX4), "7");
        EXPECT_EQ(d.GetDlgItemText(IDC_DAC8), "128");
    });
}

// An entry outside 0..255 must never reach the card: 256 would go out as 0.
TEST_F(AuxDacTest, RefusedValueShowsTheRangeMessageAndWritesNothing) {
    Run([this](CDialog& d) {
        Type(d, {{IDC_AUX0, "9"}, {IDC_AUX3, "256"}});
        d.SetDlgItemText(IDC_AUX_STATUS, "notLocked");
        recorder.Clear();
        d.OnCommand(IDC_AUX_TO_HARDWARE);
        EXPECT_TRUE(recorder.entries.empty());
        EXPECT_EQ(d.FocusedControl(), IDC_AUX3);
        EXPECT_EQ(d.GetDlgItemText(IDC_AUX_STATUS), "notLocked");
        EXPECT_TRUE(d.IsRunning());
    });
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Please enter an integer between 0 and 255.");
    Run([](CDialog& d) { EXPECT_EQ(d.GetDlgItemText(IDC_AUX0), "0"); });
}

TEST_F(AuxDacTest, CancelAfterChangesWritesNothing) {
    Run([](CDialog& d) {
        Type(d, {{IDC_AUX1, "33"}, {IDC_DAC8, "44"}});
        d.OnCommand(IDCANCEL);
    });
    EXPECT_TRUE(recorder.Writes().empty());
}

TEST_F(AuxDacTest, LockedCardIsShownInTheStatus) {
    card->SetLocked(true);
    Run([](CDialog& d) { EXPECT_EQ(d.GetDlgItemText(IDC_AUX_STATUS), " !!Locked"); });
}

// Without a card the status-prefixed DAC read fails in its status step (25);
// the window stays open and its buttons still work.
TEST_F(AuxDacTest, WithoutACardTheStatusShowsTheTimeOutAndTheDialogStaysUsable) {
    RemoveCard();
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_AUX_STATUS), "TimOut:25");
        d.TypeText(IDC_AUX0, "5");
        d.OnCommand(IDC_AUX_TO_HARDWARE);
        EXPECT_EQ(d.GetDlgItemText(IDC_AUX_STATUS), "TimOut:25");
        EXPECT_TRUE(d.IsRunning());
        auto& editor = static_cast<CAuxDacDlg&>(d);
        EXPECT_EQ(editor.LastError(), 25);
    });
    EXPECT_TRUE(ui.Boxes().empty());
}

}  // namespace
}  // namespace qv::test

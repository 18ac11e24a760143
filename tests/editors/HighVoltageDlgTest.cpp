#include <cstring>

#include "EditorFixture.h"
#include "document/CommandIds.h"
#include "document/QvDoc.h"
#include "editors/DocumentEditors.h"
#include "editors/HighVoltageDlg.h"
#include "editors/HighVoltageTemplate.h"
#include "editors/HighVoltageVolts.h"
#include "hardware/CHardwarePort.h"
#include "hardware/CommandCodes.h"

namespace qv::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(HighVoltagePacking, FieldsGoToTheirBitsWithTheKeepBitsSet) {
    // Current 0x2AB, desired 0x3FF, speed 16 (nibble 15).
    EXPECT_EQ(PackHighVoltage({0x2AB, 0x3FF, 16}), (HighVoltageImage{0xAB, 0xC2, 0xFF, 0xF3}));
    // Speed 1 is nibble 0; desired 0x155 keeps its bit 8 in R3 bit 0.
    EXPECT_EQ(PackHighVoltage({0, 0x155, 1}), (HighVoltageImage{0x00, 0xC0, 0x55, 0x01}));
    for (int speed = 1; speed <= 16; ++speed) {
        EXPECT_EQ(PackHighVoltage({0, 0, speed})[3] >> 4, speed - 1) << speed;
    }
}

TEST(HighVoltagePacking, TenBitFieldsAreCutToTheirWidth) {
    // Bits above bit 9 never reach R1 bits 5-2 or R3 bits 3-2.
    EXPECT_EQ(PackHighVoltage({0x7FF, 0xFFF, 15}), (HighVoltageImage{0xFF, 0xC3, 0xFF, 0xE3}));
}

TEST(HighVoltagePacking, UnpackIgnoresTheBitsThatCarryNoValue) {
    const HighVoltageValues v = UnpackHighVoltage({0x34, 0xFE, 0x12, 0xEE});
    EXPECT_EQ(v.HvCurrent, 2 * 256 + 0x34);
    EXPECT_EQ(v.HvDesired, 2 * 256 + 0x12);
    EXPECT_EQ(v.HvSpeed, 15);
    EXPECT_EQ(UnpackHighVoltage({0, 0, 0, 0xF0}).HvSpeed, 16);
    EXPECT_EQ(UnpackHighVoltage({0, 0, 0, 0x00}).HvSpeed, 1);
}

TEST(HighVoltageVoltsTest, DesiredIsHeldBetweenTheLimitsBeforeTheCoefficients) {
    const HvCalibration c = HardwareDescription::Defaults().Hv;  // 923, 47, 1.4067, -31.57
    EXPECT_EQ(VoltsText(HighVoltageVolts(0, c)), "  34.5");
    EXPECT_EQ(VoltsText(HighVoltageVolts(47, c)), "  34.5");
    EXPECT_EQ(VoltsText(HighVoltageVolts(1023, c)), "1266.8");
    EXPECT_EQ(VoltsText(HighVoltageVolts(100, c)), " 109.1");
    // Crossed limits: raised to the lower, then lowered to the upper.
    EXPECT_EQ(VoltsText(HighVoltageVolts(0, 10, 5, 1.0f, 0.0f)), "   5.0");
    const HighVoltageBlock stored{10, 900, 100, 1.5f, 0.375f};
    EXPECT_EQ(VoltsText(HighVoltageVolts(stored)), " 150.4");
}

class HighVoltageTest : public EditorTest {
protected:
    void Run(HeadlessUi::ModalScript script) {
        ui.QueueModalScript(std::move(script));
        CHighVoltageDlg dialog(ui);
        dialog.m_pBlock = &block;
        dialog.m_pCalibration = &calibration;
        dialog.DoModal();
    }
    // Sets the card's registers as another program would.
    void CardHolds(const HighVoltageImage& image) {
        CHardwarePort port;
        HighVoltageImage copy = image;
        ASSERT_EQ(port.WriteCommand(kCmdWriteHighVoltage, copy.data(), kHighVoltageLength), 0);
        recorder.Clear();
    }
    static std::string Volts(const CDialog& d) { return d.GetDlgItemText(IDC_HV_VOLTS); }

    HighVoltageBlock block{};
    HvCalibration calibration = HardwareDescription::Defaults().Hv;
};

TEST_F(HighVoltageTest, OpeningSetsTheSpinRangesAndReadsTheBlockWithItsStatus) {
    CardHolds({0x58, 0xC2, 0xFF, 0x63});  // current 600, desired 1023, speed 7
    Run([](CDialog& d) {
        EXPECT_EQ(d.Control(IDC_HV_DESIRED_SPIN).spinLower, 0);
        EXPECT_EQ(d.Control(IDC_HV_DESIRED_SPIN).spinUpper, 1023);
        EXPECT_EQ(d.Control(IDC_HV_SPEED_SPIN).spinLower, 1);
        EXPECT_EQ(d.Control(IDC_HV_SPEED_SPIN).spinUpper, 15);
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_CURRENT), "600");
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_DESIRED), "1023");
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_SPEED), "7");
        EXPECT_EQ(Volts(d), "1266.8");
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_STATUS), "notLocked");
        EXPECT_FALSE(d.Control(IDC_HV_TO_BUFFER).enabled);
    });
    EXPECT_EQ(recorder.Commands(), (std::vector<int>{kCmdReadStatus, kCmdReadHighVoltage}));
}

TEST_F(HighVoltageTest, WriteSendsTheFourBytesThenShowsWhatTheCardHolds) {
    CardHolds({0x58, 0xC2, 0x58, 0xF2});  // 600, at once
    Run([](CDialog& d) {
        d.TypeText(IDC_HV_DESIRED, "0");
        d.TypeText(IDC_HV_SPEED, "3");
        d.OnCommand(IDC_HV_TO_HARDWARE);
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_DESIRED), "0");
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_SPEED), "3");
        EXPECT_EQ(Volts(d), "  34.5");
    });
    const auto writes = recorder.Writes();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].command, kCmdWriteHighVoltage);
    // The current value goes back as last read, with R1 bits 7-6 set.
    EXPECT_EQ(writes[0].bytes, (Bytes{0x58, 0xC2, 0x00, 0x20}));
    EXPECT_EQ(recorder.Commands(),
              (std::vector<int>{kCmdReadStatus, kCmdReadHighVoltage, kCmdWriteHighVoltage,
                                kCmdReadStatus, kCmdReadHighVoltage}));
}

// Speed 2 is 10 ms per step: 50 ms later the current value is five steps on.
TEST_F(HighVoltageTest, CurrentValueRampsTowardTheDesiredOneAtTheWrittenSpeed) {
    CardHolds({0x58, 0xC2, 0x58, 0xF2});  // 600
    Run([this](CDialog& d) {
        d.TypeText(IDC_HV_DESIRED, "610");
        d.TypeText(IDC_HV_SPEED, "2");
        d.OnCommand(IDC_HV_TO_HARDWARE);
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_CURRENT), "600");
        clock.Advance(50);
        d.OnCommand(IDC_HV_FROM_HARDWARE);
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_CURRENT), "605");
        clock.Advance(500);
        d.OnCommand(IDC_HV_FROM_HARDWARE);
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_CURRENT), "610");
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_DESIRED), "610");
    });
}

// 1500 packed into ten bits would be 476: the detector supply must not see it.
TEST_F(HighVoltageTest, RefusedDesiredValueShowsTheRangeMessageAndWritesNothing) {
    CardHolds({0x58, 0xC2, 0x58, 0xF2});
    Run([this](CDialog& d) {
        d.TypeText(IDC_HV_DESIRED, "1500");
        recorder.Clear();
        d.OnCommand(IDC_HV_TO_HARDWARE);
        EXPECT_TRUE(recorder.entries.empty());
        EXPECT_EQ(d.FocusedControl(), IDC_HV_DESIRED);
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_STATUS), "notLocked");
        EXPECT_TRUE(d.IsRunning());
    });
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Please enter an integer between 0 and 1023.");
    Run([](CDialog& d) { EXPECT_EQ(d.GetDlgItemText(IDC_HV_DESIRED), "600"); });
}

// A card set to speed 16 shows 16. The box takes 1..15, but 16 fits its
// field (nibble 15): the write tells the range message and still goes out.
// 0 and 17 would travel as 16 and 1: refused.
TEST_F(HighVoltageTest, SpeedSixteenFromTheCardHasItsMessageAndIsWrittenAsNibbleFifteen) {
    CardHolds({0x58, 0xC2, 0x58, 0xF2});
    Run([this](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_SPEED), "16");
        d.TypeText(IDC_HV_DESIRED, "700");
        d.OnCommand(IDC_HV_TO_HARDWARE);
        EXPECT_EQ(d.FocusedControl(), IDC_HV_SPEED);
        const sim::RampedValue& supply = card->Card().HighVoltage().Ramp();
        EXPECT_EQ(supply.Speed(), 16);
        EXPECT_EQ(supply.Desired(), 700);
        EXPECT_EQ(supply.Current(), 700);  // immediate change
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_CURRENT), "700");
        for (const char* speed : {"0", "17"}) {
            d.TypeText(IDC_HV_SPEED, speed);
            d.TypeText(IDC_HV_DESIRED, "300");
            recorder.Clear();
            d.OnCommand(IDC_HV_TO_HARDWARE);
            EXPECT_TRUE(recorder.entries.empty()) << speed;
        }
        EXPECT_EQ(supply.Desired(), 700);
    });
    ASSERT_EQ(ui.Boxes().size(), 3u);
    for (const auto& box : ui.Boxes()) {
        EXPECT_EQ(box.text, "Please enter an integer between 1 and 15.");
    }
}

TEST_F(HighVoltageTest, ReadOutFollowsTheDesiredBoxWhenItLosesTheFocus) {
    Run([this](CDialog& d) {
        d.TypeText(IDC_HV_DESIRED, "100");
        EXPECT_NE(Volts(d), " 109.1");
        d.OnKillFocus(IDC_HV_DESIRED);
        EXPECT_EQ(Volts(d), " 109.1");
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_DESIRED), "100");
        EXPECT_TRUE(recorder.Writes().empty());
    });
}

// The read-out shows the value the spin moves to, taken from the notification's
// change rather than the box, and the move still happens.
TEST_F(HighVoltageTest, SpinPreviewShowsTheVoltageOfTheValueItMovesTo) {
    Run([](CDialog& d) {
        d.TypeText(IDC_HV_DESIRED, "100");
        d.ClickSpin(IDC_HV_DESIRED_SPIN, +1);
        EXPECT_EQ(Volts(d), " 110.5");  // volts(101)
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_DESIRED), "101");
        d.ClickSpin(IDC_HV_DESIRED_SPIN, -1);
        d.ClickSpin(IDC_HV_DESIRED_SPIN, -1);
        EXPECT_EQ(Volts(d), " 107.7");  // volts(99)
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_DESIRED), "99");
    });
}

TEST_F(HighVoltageTest, BufferWithTheSameCalibrationLoadsDesiredSilently) {
    block = {1023, 923, 47, 1.4067f, -31.57f};
    Run([this](CDialog& d) {
        d.TypeText(IDC_HV_SPEED, "9");
        recorder.Clear();
        d.OnCommand(IDC_HV_FROM_BUFFER);
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_DESIRED), "1023");
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_SPEED), "9");  // not in the block: as typed
        EXPECT_EQ(Volts(d), "1266.8");
        EXPECT_TRUE(recorder.entries.empty());
    });
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(HighVoltageTest, BufferFromAnotherSlopeWarnsWithTheMeasurementsOwnVoltage) {
    block = {500, 923, 47, 2.0f, -31.57f};
    Run([](CDialog& d) {
        d.OnCommand(IDC_HV_FROM_BUFFER);
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_DESIRED), "500");
        EXPECT_EQ(Volts(d), " 671.8");  // the same n under the present calibration
    });
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text,
              "File and hardware voltage coefficients are different.\n\n"
              "Correct the \"Desired\" parameter to achieve \n"
              "voltage of  968.4 V  as it was in the file.");
    EXPECT_EQ(ui.Boxes()[0].caption, "");  // the application's title
    EXPECT_EQ(block.HvDesired, 500);
}

TEST_F(HighVoltageTest, EachStoredCoefficientIsCompared) {
    const HighVoltageBlock same{10, 923, 47, 1.4067f, -31.57f};
    HighVoltageBlock variants[4] = {same, same, same, same};
    variants[0].HvOffset = -31.5f;
    variants[1].HvSlope = 1.4f;
    variants[2].HvUpperLimit = 924;
    variants[3].HvLowerLimit = 48;
    for (const HighVoltageBlock& variant : variants) {
        block = variant;
        Run([](CDialog& d) { d.OnCommand(IDC_HV_FROM_BUFFER); });
    }
    ASSERT_EQ(ui.Boxes().size(), 4u);
    // The stored voltage uses the stored limits: 10 is raised to the stored lower one.
    EXPECT_NE(ui.Boxes()[3].text.find("voltage of   36.0 V  "), std::string::npos);
}

TEST_F(HighVoltageTest, CancelAfterChangesWritesNothing) {
    block = {700, 1, 2, 3.0f, 4.0f};
    const HighVoltageBlock before = block;
    Run([](CDialog& d) {
        d.TypeText(IDC_HV_DESIRED, "300");
        d.OnKillFocus(IDC_HV_DESIRED);
        d.OnCommand(IDCANCEL);
    });
    EXPECT_TRUE(recorder.Writes().empty());
    EXPECT_EQ(std::memcmp(&block, &before, sizeof block), 0);
}

// The status-prefixed read fails in its status step: 25.
TEST_F(HighVoltageTest, WithoutACardTheStatusShowsTheTimeOutAndTheDialogStaysUsable) {
    RemoveCard();
    Run([](CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_STATUS), "TimOut:25");
        EXPECT_EQ(Volts(d), "  34.5");
        d.TypeText(IDC_HV_DESIRED, "200");
        d.TypeText(IDC_HV_SPEED, "4");
        d.OnCommand(IDC_HV_TO_HARDWARE);
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_STATUS), "TimOut:25");
        EXPECT_EQ(static_cast<CHighVoltageDlg&>(d).LastError(), 25);
        EXPECT_TRUE(d.IsRunning());
    });
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(HighVoltageTest, CaptureStoresDesiredAndThePresentCalibration) {
    CardHolds({0x10, 0xC1, 0x2A, 0x31});  // current 272, desired 298, speed 4
    calibration = {1000, 12, 2.5f, -1.125f};
    CHighVoltageDlg editor(ui);
    editor.m_pBlock = &block;
    editor.m_pCalibration = &calibration;
    EXPECT_EQ(editor.CaptureToBuffer(), 0);
    EXPECT_EQ(block.HvDesired, 298);
    EXPECT_EQ(block.HvUpperLimit, 1000);
    EXPECT_EQ(block.HvLowerLimit, 12);
    EXPECT_EQ(block.HvSlope, 2.5f);
    EXPECT_EQ(block.HvOffset, -1.125f);
    EXPECT_EQ(recorder.Commands(), (std::vector<int>{kCmdReadStatus, kCmdReadHighVoltage}));
}

TEST_F(HighVoltageTest, FailedCaptureLeavesTheBlockAsItWas) {
    RemoveCard();
    block = {5, 6, 7, 8.0f, 9.0f};
    CHighVoltageDlg editor(ui);
    editor.m_pBlock = &block;
    editor.m_pCalibration = &calibration;
    EXPECT_EQ(editor.CaptureToBuffer(), 1);
    EXPECT_EQ(block.HvDesired, 5);
    EXPECT_EQ(block.HvSlope, 8.0f);
}

// The document's editors point at its own block and its description's
// high-voltage slots.
TEST_F(HighVoltageTest, DocumentOpensAndCapturesWithItsBlockAndCalibration) {
    HeadlessUi docUi;
    CQvDoc document(docUi, std::nullopt);
    document.Description().Hv = {900, 50, 1.25f, 10.0f};
    CardHolds({0x00, 0xC0, 0xC8, 0x20});  // desired 200
    DocumentEditors editors;
    EXPECT_TRUE(editors.HasEditor(ID_SET_HIGH_VOLTAGE));
    docUi.QueueModalScript([](CDialog& d) {
        EXPECT_EQ(d.Template().id, IDD_HIGH_VOLTAGE);
        EXPECT_EQ(d.GetDlgItemText(IDC_HV_VOLTS), " 260.0");  // 200 x 1.25 + 10
    });
    editors.RunEditor(ID_SET_HIGH_VOLTAGE, document);
    EXPECT_EQ(editors.CaptureToBuffer(CapturedBlock::HighVoltage, document), 0);
    const HighVoltageBlock& stored = document.Data().Settings.HighVoltage;
    EXPECT_EQ(stored.HvDesired, 200);
    EXPECT_EQ(stored.HvUpperLimit, 900);
    EXPECT_EQ(stored.HvLowerLimit, 50);
    EXPECT_EQ(stored.HvSlope, 1.25f);
    EXPECT_EQ(stored.HvOffset, 10.0f);
}

}  // namespace
}  // namespace qv::test

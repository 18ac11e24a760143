#include "framework/DataExchange.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "framework/Dialog.h"
#include "framework/HeadlessUi.h"
#include "framework/NumberText.h"

namespace qv {
namespace {

enum : int {
    kSigned = 10,
    kUnsigned = 11,
    kReal = 12,
    kRemark = 13,
    kCheck = 14,
    kModeA = 20,
    kModeB = 21,
    kModeC = 22,
    kRangeX = 23,
    kRangeY = 24,
    kBias = 30,
};

ControlTemplate Make(int id, ControlKind kind, unsigned style = kStyleNone) {
    ControlTemplate control;
    control.id = id;
    control.kind = kind;
    control.style = style;
    return control;
}

const DialogTemplate& ExchangeTemplate() {
    static const DialogTemplate t = [] {
        DialogTemplate d;
        d.id = 500;
        d.controls = {
            Make(kSigned, ControlKind::Edit),
            Make(kUnsigned, ControlKind::Edit),
            Make(kReal, ControlKind::Edit),
            Make(kRemark, ControlKind::MultiLineEdit),
            Make(kCheck, ControlKind::CheckBox),
            Make(kModeA, ControlKind::RadioButton, kGroupStart),
            Make(kModeB, ControlKind::RadioButton),
            Make(kModeC, ControlKind::RadioButton),
            Make(kRangeX, ControlKind::RadioButton, kGroupStart),
            Make(kRangeY, ControlKind::RadioButton),
            Make(kBias, ControlKind::Edit),
            Make(IDOK, ControlKind::DefaultButton),
            Make(IDCANCEL, ControlKind::Button),
        };
        return d;
    }();
    return t;
}

// The exchange order is deliberately not the template order: the bias box is
// last in the template but exchanged second.
class ExchangeDlg : public CDialog {
public:
    explicit ExchangeDlg(Ui& ui) : CDialog(ExchangeTemplate(), ui) {}

    std::int32_t Signed = 5;
    std::int32_t Bias = 0;
    std::uint32_t Unsigned = 7;
    float Real = 0.106f;
    std::string Remark = "note";
    std::int32_t Check = 1;
    std::int32_t Mode = 1;
    std::int32_t Range = 0;

    void DoDataExchange(CDataExchange& dx) override {
        DDX_Text(dx, kSigned, Signed);
        DDV_MinMaxInt(dx, Signed, 0, 1023);
        DDX_Text(dx, kBias, Bias);
        DDV_MinMaxInt(dx, Bias, -2048, 2047);
        DDX_Text(dx, kUnsigned, Unsigned);
        DDV_MinMaxUInt(dx, Unsigned, 0, 1023);
        DDX_Text(dx, kReal, Real);
        DDX_Text(dx, kRemark, Remark);
        DDV_MaxChars(dx, Remark, 5);
        DDX_Check(dx, kCheck, Check);
        DDX_Radio(dx, kModeA, Mode);
        DDX_Radio(dx, kRangeX, Range);
    }
};

class DataExchangeTest : public ::testing::Test {
protected:
    HeadlessUi ui;
    ExchangeDlg dlg{ui};

    void Load() { ASSERT_TRUE(dlg.UpdateData(false)); }
    void ExpectOneBox(const std::string& text) {
        ASSERT_EQ(ui.Boxes().size(), 1u);
        EXPECT_EQ(ui.Boxes()[0].text, text);
        EXPECT_EQ(ui.Boxes()[0].caption, "");
        EXPECT_EQ(ui.Boxes()[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(ui.Boxes()[0].icon, MsgIcon::Exclamation);
    }
};

TEST_F(DataExchangeTest, LoadingShowsMembersInTheirTextForms) {
    dlg.Signed = -5;
    dlg.Unsigned = std::numeric_limits<std::uint32_t>::max();
    Load();
    EXPECT_EQ(dlg.GetDlgItemText(kSigned), "-5");
    EXPECT_EQ(dlg.GetDlgItemText(kUnsigned), "4294967295");
    EXPECT_EQ(dlg.GetDlgItemText(kReal), "0.106");
    EXPECT_EQ(dlg.GetDlgItemText(kRemark), "note");
    EXPECT_EQ(dlg.IsDlgButtonChecked(kCheck), 1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kModeA), 0);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kModeB), 1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kModeC), 0);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kRangeX), 1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kRangeY), 0);
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST(FloatText, SixSignificantDigits) {
    EXPECT_EQ(FormatFloat(0.106f), "0.106");
    EXPECT_EQ(FormatFloat(5.72205f), "5.72205");
    EXPECT_EQ(FormatFloat(0.357628f), "0.357628");
    EXPECT_EQ(FormatFloat(52.31584f), "52.3158");
    EXPECT_EQ(FormatFloat(1234567.0f), "1.23457e+06");
    EXPECT_EQ(FormatFloat(0.00001f), "1e-05");
    EXPECT_EQ(FormatFloat(0.0f), "0");
    EXPECT_EQ(FormatFloat(-2.5f), "-2.5");
}

TEST_F(DataExchangeTest, SavingAcceptsBlanksAndSigns) {
    Load();
    dlg.SetDlgItemText(kSigned, "  42 ");
    dlg.SetDlgItemText(kBias, "-2048");
    dlg.SetDlgItemText(kUnsigned, "+9");
    dlg.SetDlgItemText(kReal, " -1.25e1 ");
    dlg.SetDlgItemText(kRemark, "x y");
    dlg.CheckDlgButton(kCheck, 0);
    dlg.CheckDlgButton(kModeB, 0);
    dlg.CheckDlgButton(kModeC, 1);
    dlg.CheckDlgButton(kRangeX, 0);
    dlg.CheckDlgButton(kRangeY, 1);
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.Signed, 42);
    EXPECT_EQ(dlg.Bias, -2048);
    EXPECT_EQ(dlg.Unsigned, 9u);
    EXPECT_FLOAT_EQ(dlg.Real, -12.5f);
    EXPECT_EQ(dlg.Remark, "x y");
    EXPECT_EQ(dlg.Check, 0);
    EXPECT_EQ(dlg.Mode, 2);
    EXPECT_EQ(dlg.Range, 1);
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(DataExchangeTest, RadioGroupWithNothingCheckedSavesMinusOne) {
    Load();
    dlg.CheckDlgButton(kModeB, 0);
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.Mode, -1);
    EXPECT_EQ(dlg.Range, 0);  // the other group is untouched
}

TEST_F(DataExchangeTest, LoadingIndexMinusOneClearsTheWholeGroup) {
    dlg.Mode = -1;
    Load();
    EXPECT_EQ(dlg.IsDlgButtonChecked(kModeA) + dlg.IsDlgButtonChecked(kModeB) +
                  dlg.IsDlgButtonChecked(kModeC),
              0);
}

struct Refusal {
    int control;
    std::string text;
    std::string message;
};

class RefusedText : public DataExchangeTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedText, KeepsMemberShowsMessageAndFocusesControl) {
    const Refusal& refusal = GetParam();
    Load();
    dlg.SetDlgItemText(refusal.control, refusal.text);
    EXPECT_FALSE(dlg.UpdateData(true));
    ExpectOneBox(refusal.message);
    EXPECT_EQ(dlg.FocusedControl(), refusal.control);
    EXPECT_EQ(dlg.Signed, 5);
    EXPECT_EQ(dlg.Unsigned, 7u);
    EXPECT_FLOAT_EQ(dlg.Real, 0.106f);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RefusedText,
    ::testing::Values(Refusal{kSigned, "abc", "Please enter an integer."},
                      Refusal{kSigned, "", "Please enter an integer."},
                      Refusal{kSigned, "12x", "Please enter an integer."},
                      Refusal{kSigned, "1 2", "Please enter an integer."},
                      Refusal{kSigned, "+-3", "Please enter an integer."},
                      Refusal{kSigned, "2147483648", "Please enter an integer."},
                      Refusal{kSigned, "99999999999999999999", "Please enter an integer."},
                      Refusal{kUnsigned, "-1", "Please enter a positive integer."},
                      Refusal{kUnsigned, "4294967296", "Please enter a positive integer."},
                      Refusal{kUnsigned, "seven", "Please enter a positive integer."},
                      Refusal{kReal, "1.5.2", "Please enter a number."},
                      Refusal{kReal, "x", "Please enter a number."},
                      Refusal{kReal, "1e99", "Please enter a number."},
                      Refusal{kReal, "inf", "Please enter a number."}));

TEST(NumberParsing, ThirtyTwoBitLimits) {
    EXPECT_EQ(ParseInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(ParseInt32("2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_FALSE(ParseInt32("-2147483649"));
    EXPECT_EQ(ParseUInt32("4294967295"), std::numeric_limits<std::uint32_t>::max());
    EXPECT_EQ(ParseUInt32("\t0\t"), 0u);
    EXPECT_FALSE(ParseUInt32("-0"));
    EXPECT_FALSE(ParseInt32("-"));
    EXPECT_FALSE(ParseInt32("0x10"));
}

TEST_F(DataExchangeTest, RangeFailureStoresTheEnteredValueAndStopsTheExchange) {
    Load();
    dlg.SetDlgItemText(kSigned, "1024");
    dlg.SetDlgItemText(kBias, "100");
    dlg.SetDlgItemText(kRemark, "later");
    EXPECT_FALSE(dlg.UpdateData(true));
    ExpectOneBox("Please enter an integer between 0 and 1023.");
    EXPECT_EQ(dlg.FocusedControl(), kSigned);
    EXPECT_EQ(dlg.Signed, 1024);  // already stored when the range check failed
    EXPECT_EQ(dlg.Bias, 0);       // after the failure: not exchanged
    EXPECT_EQ(dlg.Remark, "note");
}

TEST_F(DataExchangeTest, MembersBeforeTheFailureAreTakenInCallOrder) {
    Load();
    dlg.SetDlgItemText(kSigned, "17");
    dlg.SetDlgItemText(kBias, "-3000");
    dlg.SetDlgItemText(kUnsigned, "5000");  // also bad, but exchanged later
    dlg.SetDlgItemText(kReal, "2");
    EXPECT_FALSE(dlg.UpdateData(true));
    ExpectOneBox("Please enter an integer between -2048 and 2047.");
    EXPECT_EQ(dlg.FocusedControl(), kBias);
    EXPECT_EQ(dlg.Signed, 17);
    EXPECT_EQ(dlg.Bias, -3000);
    EXPECT_EQ(dlg.Unsigned, 7u);
    EXPECT_FLOAT_EQ(dlg.Real, 0.106f);
}

TEST_F(DataExchangeTest, UnsignedRangeUsesTheSameMessage) {
    Load();
    dlg.SetDlgItemText(kUnsigned, "1024");
    EXPECT_FALSE(dlg.UpdateData(true));
    ExpectOneBox("Please enter an integer between 0 and 1023.");
    EXPECT_EQ(dlg.Unsigned, 1024u);
    EXPECT_EQ(dlg.FocusedControl(), kUnsigned);
}

TEST_F(DataExchangeTest, RangesAreNotCheckedWhenLoading) {
    dlg.Signed = 5000;
    dlg.Remark = "far too long";
    Load();
    EXPECT_EQ(dlg.GetDlgItemText(kSigned), "5000");
    EXPECT_EQ(dlg.GetDlgItemText(kRemark), "far too long");
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(DataExchangeTest, MaxCharsLimitsTypingAndRefusesLongerTextAfterStoringIt) {
    EXPECT_EQ(dlg.Control(kRemark).textLimit, 0);
    dlg.Remark = "a longer remark from a file";
    Load();
    EXPECT_EQ(dlg.Control(kRemark).textLimit, 5);
    EXPECT_EQ(dlg.GetDlgItemText(kRemark), "a longer remark from a file");
    dlg.SetDlgItemText(kRemark, "123456");
    EXPECT_FALSE(dlg.UpdateData(true));
    ExpectOneBox("Please enter no more than 5 characters.");
    EXPECT_EQ(dlg.Remark, "123456");
    EXPECT_EQ(dlg.FocusedControl(), kRemark);
    EXPECT_EQ(dlg.Check, 1);
}

TEST_F(DataExchangeTest, MaxCharsCountsCharactersNotBytes) {
    Load();
    const std::string fiveLetters = "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F!";  // 9 bytes
    dlg.SetDlgItemText(kRemark, fiveLetters);
    EXPECT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.Remark, fiveLetters);
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST(MessageTexts, RangeAndMaxChars) {
    EXPECT_EQ(RangeMessage(1, 64), "Please enter an integer between 1 and 64.");
    EXPECT_EQ(RangeMessage(-2048, 2047), "Please enter an integer between -2048 and 2047.");
    EXPECT_EQ(RangeMessage(0, 4294967295LL), "Please enter an integer between 0 and 4294967295.");
    EXPECT_EQ(MaxCharsMessage(250), "Please enter no more than 250 characters.");
}

TEST_F(DataExchangeTest, OkEndsOnlyAfterASuccessfulExchange) {
    ui.QueueModalScript([](CDialog& d) {
        d.SetDlgItemText(kSigned, "2000");
        d.OnCommand(IDOK);
        EXPECT_TRUE(d.IsRunning());
        d.SetDlgItemText(kSigned, "200");
        d.OnCommand(IDOK);
        EXPECT_FALSE(d.IsRunning());
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.Signed, 200);
    ExpectOneBox("Please enter an integer between 0 and 1023.");
}

TEST_F(DataExchangeTest, CancelKeepsTheMembers) {
    ui.QueueModalScript([](CDialog& d) {
        d.SetDlgItemText(kSigned, "300");
        d.OnCommand(IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.Signed, 5);
}

}  // namespace
}  // namespace qv

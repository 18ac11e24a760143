#include "editors/DataRemarkTemplate.h"

#include "framework/TemplateControls.h"

namespace qv {

namespace {

constexpr int kBoxHeight = 12;
constexpr int kLabelDrop = 2;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

ControlTemplate Value(int id, int x, int y, int width) {
    return tpl::ReadOnly(id, {x, y, width, kBoxHeight}, kRightAlign);
}

ControlTemplate Text(const char* text, int x, int y, int width) {
    return tpl::Label(text, {x, y + kLabelDrop, width, 8});
}

void AddRemark(DialogTemplate& d) {
    ControlTemplate remark = tpl::Make(IDC_REMARK_TEXT, ControlKind::MultiLineEdit, "",
                                       {7, 7, 283, 44}, kVScroll | kWantReturn);
    d.controls.push_back(remark);
    d.controls.push_back(
        tpl::Button(IDC_REMARK_ACCEPT, "Accept", {7, 55, kButtonWidth, kButtonHeight}));
    d.controls.push_back(
        tpl::Button(IDC_REMARK_HIDE, "Hide", {62, 55, kButtonWidth, kButtonHeight}));
    d.controls.push_back(
        tpl::Button(IDC_REMARK_FULL_SHORT, "Full/short", {117, 55, kButtonWidth, kButtonHeight}));
}

// A seconds box and its duration beside it.
void AddTimeRow(DialogTemplate& d, int secondsId, int durationId, int x, int y, int secondsWidth,
                int durationWidth) {
    d.controls.push_back(Value(secondsId, x, y, secondsWidth));
    d.controls.push_back(Value(durationId, x + secondsWidth + 4, y, durationWidth));
}

void AddTimes(DialogTemplate& d) {
    d.controls.push_back(tpl::Label("sec        d - h : m : s", {40, 76, 96, 8}));
    d.controls.push_back(tpl::Group("Switch since delta", {7, 85, 130, 27}));
    AddTimeRow(d, IDC_REMARK_SWITCH_SECONDS, IDC_REMARK_SWITCH_DURATION, 13, 96, 44, 74);
    d.controls.push_back(tpl::Group("At universal time", {7, 114, 130, 27}));
    AddTimeRow(d, IDC_REMARK_UNIVERSAL_SECONDS, IDC_REMARK_UNIVERSAL_DURATION, 13, 125, 44, 74);
    d.controls.push_back(tpl::Group("Amplitude analyser time", {7, 143, 130, 59}));
    const struct {
        const char* label;
        int seconds;
        int duration;
    } rows[] = {{"live", IDC_REMARK_LIVE_SECONDS, IDC_REMARK_LIVE_DURATION},
                {"dead", IDC_REMARK_DEAD_SECONDS, IDC_REMARK_DEAD_DURATION},
                {"total", IDC_REMARK_TOTAL_SECONDS, IDC_REMARK_TOTAL_DURATION}};
    for (int i = 0; i < 3; ++i) {
        const int y = 154 + 15 * i;
        d.controls.push_back(Text(rows[i].label, 12, y, 20));
        AddTimeRow(d, rows[i].seconds, rows[i].duration, 33, y, 40, 58);
    }
}

void AddCycles(DialogTemplate& d) {
    d.controls.push_back(tpl::Group("After cycles:", {143, 76, 147, 27}));
    d.controls.push_back(Text("Qv2", 149, 87, 14));
    d.controls.push_back(Value(IDC_REMARK_QV2_CYCLES, 165, 87, 52));
    d.controls.push_back(Text("Qv1", 222, 87, 14));
    d.controls.push_back(Value(IDC_REMARK_QV1_CYCLES, 237, 87, 48));
}

void AddAnalogue(DialogTemplate& d) {
    d.controls.push_back(tpl::Group("Analogue block", {143, 105, 147, 52}));
    d.controls.push_back(Text("Gain", 149, 115, 22));
    d.controls.push_back(Value(IDC_REMARK_GAIN, 172, 115, 26));
    d.controls.push_back(Text("SigTau", 222, 115, 30));
    d.controls.push_back(Value(IDC_REMARK_SIGNAL_TAU, 255, 115, 26));
    d.controls.push_back(Text("SchUp", 149, 129, 22));
    d.controls.push_back(Value(IDC_REMARK_SCH_UP, 172, 129, 26));
    d.controls.push_back(Text("SchLow", 222, 129, 30));
    d.controls.push_back(Value(IDC_REMARK_SCH_LOW, 255, 129, 26));
    d.controls.push_back(Text("High voltage [V]", 149, 143, 64));
    d.controls.push_back(Value(IDC_REMARK_HIGH_VOLTAGE, 222, 143, 59));
}

void AddVibrator(DialogTemplate& d) {
    d.controls.push_back(tpl::Group("Vibrator", {143, 159, 147, 43}));
    d.controls.push_back(Text("Velocity [mm/s]", 149, 170, 60));
    d.controls.push_back(Value(IDC_REMARK_VELOCITY, 210, 170, 76));
    d.controls.push_back(Text("Frequency [Hz]", 149, 185, 60));
    d.controls.push_back(Value(IDC_REMARK_FREQUENCY, 210, 185, 50));
}

DialogTemplate Build() {
    DialogTemplate d;
    d.id = IDD_DATA_REMARK;
    d.caption = "Data remark";
    d.rect = {30, 30, 297, 210};
    d.systemMenu = false;
    AddRemark(d);
    AddTimes(d);
    AddCycles(d);
    AddAnalogue(d);
    AddVibrator(d);
    return d;
}

}  // namespace

const DialogTemplate& DataRemarkTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv

#include "editors/HighVoltageTemplate.h"

#include "editors/SettingEditorDlg.h"
#include "framework/TemplateControls.h"

namespace qv {

namespace {

// The values stand in one column with their labels at the right; the voltage
// read-out sits left of "Desired", its arrow pointing at the box it follows.
constexpr int kVoltsX = 7;
constexpr int kVoltsWidth = 36;
constexpr int kArrowX = 46;
constexpr int kBoxX = 76;
constexpr int kBoxWidth = 32;
constexpr int kSpinWidth = 10;
constexpr int kLabelX = kBoxX + kBoxWidth + kSpinWidth + 5;
constexpr int kLabelWidth = 108;
constexpr int kBoxHeight = 12;
constexpr int kLabelDrop = 2;
constexpr int kCurrentY = 8;
constexpr int kDesiredY = 26;
constexpr int kSpeedY = 44;
constexpr int kButtonX = kLabelX + kLabelWidth + 8;
constexpr int kButtonWidth = 62;
constexpr int kButtonHeight = 14;
constexpr int kButtonPitch = 17;
constexpr int kStatusY = 88;

ControlTemplate Text(const char* text, int x, int y, int width) {
    return tpl::Label(text, {x, y + kLabelDrop, width, 8});
}

void AddValues(DialogTemplate& d) {
    using namespace tpl;
    d.controls.push_back(
        ReadOnly(IDC_HV_CURRENT, {kBoxX, kCurrentY, kBoxWidth, kBoxHeight}, kRightAlign));
    d.controls.push_back(Text("Current value", kLabelX, kCurrentY, kLabelWidth));

    d.controls.push_back(
        ReadOnly(IDC_HV_VOLTS, {kVoltsX, kDesiredY, kVoltsWidth, kBoxHeight}, kRightAlign));
    d.controls.push_back(Text("V <---", kArrowX, kDesiredY, kBoxX - kArrowX - 2));
    d.controls.push_back(
        Digits(IDC_HV_DESIRED, {kBoxX, kDesiredY, kBoxWidth, kBoxHeight}, kRightAlign));
    d.controls.push_back(Spin(IDC_HV_DESIRED_SPIN, IDC_HV_DESIRED,
                              {kBoxX + kBoxWidth, kDesiredY, kSpinWidth, kBoxHeight}));
    d.controls.push_back(Text("Desired value [0,1023]", kLabelX, kDesiredY, kLabelWidth));

    d.controls.push_back(
        Digits(IDC_HV_SPEED, {kBoxX, kSpeedY, kBoxWidth, kBoxHeight}, kRightAlign));
    d.controls.push_back(Spin(IDC_HV_SPEED_SPIN, IDC_HV_SPEED,
                              {kBoxX + kBoxWidth, kSpeedY, kSpinWidth, kBoxHeight}));
    d.controls.push_back(Text("Updating speed x5ms/step", kLabelX, kSpeedY, kLabelWidth));
    d.controls.push_back(Text("[1,16] 16:immediate change", kLabelX, kSpeedY + 9, kLabelWidth));

    d.controls.push_back(
        Text("'To voltage' conversion coefficients", kVoltsX, 70, kLabelX + kLabelWidth - kVoltsX));
    d.controls.push_back(
        ReadOnly(IDC_HV_STATUS, {kVoltsX, kStatusY, kLabelX + kLabelWidth - kVoltsX, kBoxHeight}));
}

void AddButtons(DialogTemplate& d) {
    using namespace tpl;
    struct Row {
        int id;
        const char* text;
        unsigned style;
    };
    const Row rows[] = {{IDC_HV_FROM_BUFFER, kFromBufferText, kStyleNone},
                        {IDC_HV_TO_BUFFER, kToBufferText, kDisabled},
                        {IDC_HV_FROM_HARDWARE, kFromHardwareText, kStyleNone},
                        {IDC_HV_TO_HARDWARE, kToHardwareText, kStyleNone}};
    int y = kCurrentY - 1;
    for (const Row& row : rows) {
        d.controls.push_back(
            Button(row.id, row.text, {kButtonX, y, kButtonWidth, kButtonHeight}, row.style));
        y += kButtonPitch;
    }
    d.controls.push_back(
        Button(IDCANCEL, "Close", {kButtonX, kStatusY - 1, kButtonWidth, kButtonHeight}));
}

DialogTemplate Build() {
    DialogTemplate d;
    d.id = IDD_HIGH_VOLTAGE;
    d.caption = "High Voltage";
    d.rect = {0, 0, kButtonX + kButtonWidth + 7, kStatusY + kBoxHeight + 8};
    AddValues(d);
    AddButtons(d);
    return d;
}

}  // namespace

const DialogTemplate& HighVoltageTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv

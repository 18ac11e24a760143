#include "editors/HardwareInfoTemplate.h"

#include "framework/TemplateControls.h"

namespace qv {

namespace {

constexpr int kBoxHeight = 12;
constexpr int kLabelDrop = 2;
constexpr int kButtonWidth = 58;
constexpr int kButtonHeight = 14;

ControlTemplate Value(int id, int x, int y, int width) {
    return tpl::ReadOnly(id, {x, y, width, kBoxHeight}, kRightAlign);
}

ControlTemplate Text(const char* text, int x, int y, int width) {
    return tpl::Label(text, {x, y + kLabelDrop, width, 8});
}

void AddVersions(DialogTemplate& d) {
    d.controls.push_back(tpl::Group("Hardware version", {7, 4, 72, 64}));
    const int ids[] = {IDC_INFO_VERSION1, IDC_INFO_VERSION2, IDC_INFO_VERSION3};
    const char* labels[] = {"1:", "2:", "3:"};
    for (int i = 0; i < 3; ++i) {
        const int y = 17 + 16 * i;
        d.controls.push_back(Text(labels[i], 15, y, 10));
        d.controls.push_back(Value(ids[i], 28, y, 42));
    }
}

void AddHighVoltage(DialogTemplate& d) {
    d.controls.push_back(tpl::Group("High Voltage", {86, 4, 172, 64}));
    d.controls.push_back(Text("HV = n * ", 94, 19, 34));
    d.controls.push_back(Value(IDC_INFO_HV_SLOPE, 130, 19, 50));
    d.controls.push_back(Text("+", 184, 19, 8));
    d.controls.push_back(Value(IDC_INFO_HV_OFFSET, 194, 19, 54));
    d.controls.push_back(Value(IDC_INFO_HV_LOWER, 130, 42, 40));
    d.controls.push_back(Text("< n <", 174, 42, 22));
    d.controls.push_back(Value(IDC_INFO_HV_UPPER, 198, 42, 40));
}

void AddVelocity(DialogTemplate& d) {
    d.controls.push_back(tpl::Group("Vibrator velocity", {7, 74, 251, 48}));
    d.controls.push_back(Text("velocity [mm/s] = n *", 15, 88, 80));
    d.controls.push_back(Value(IDC_INFO_VELOCITY_HIGH, 98, 88, 54));
    d.controls.push_back(Text("High range", 158, 88, 50));
    d.controls.push_back(Value(IDC_INFO_VELOCITY_LOW, 98, 104, 54));
    d.controls.push_back(Text("Low range", 158, 104, 50));
}

void AddButtons(DialogTemplate& d) {
    const int x = 268;
    d.controls.push_back(tpl::DefaultButton(IDOK, "OK", {x, 8, kButtonWidth, kButtonHeight}));
    d.controls.push_back(tpl::Button(IDCANCEL, "Cancel", {x, 26, kButtonWidth, kButtonHeight}));
    d.controls.push_back(
        tpl::Button(IDC_INFO_FROM_BUFFER, "<-- Buffer", {x, 72, kButtonWidth, kButtonHeight}));
    d.controls.push_back(
        tpl::Button(IDC_INFO_FROM_HARDWARE, "<-- Hardware", {x, 90, kButtonWidth, kButtonHeight}));
}

DialogTemplate Build() {
    DialogTemplate d;
    d.id = IDD_HARDWARE_INFO;
    d.caption = "Hardware info";
    d.rect = {0, 0, 334, 130};
    AddVersions(d);
    AddHighVoltage(d);
    AddVelocity(d);
    AddButtons(d);
    return d;
}

}  // namespace

const DialogTemplate& HardwareInfoTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv

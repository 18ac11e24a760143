#include "editors/VibratorTemplate.h"

#include "framework/TemplateControls.h"

namespace qv {

namespace {

using namespace tpl;

constexpr int kBoxHeight = 12;
constexpr int kButtonHeight = 14;
constexpr int kSpinWidth = 9;

// One ramped quantity: current value, desired value and updating speed.
struct RampGroup {
    const char* title;
    int x;
    int current;
    int desired;
    const char* desiredLabel;
    int desiredSpin;
    int speed;
    int speedSpin;
    unsigned desiredStyle;  // the bias takes a sign
};

constexpr int kGroupY = 7;
constexpr int kGroupWidth = 136;
constexpr int kGroupHeight = 88;
constexpr int kLabelIndent = 6;
constexpr int kLabelWidth = 84;
constexpr int kBoxIndent = 92;
constexpr int kBoxWidth = 30;
constexpr int kRowPitch = 16;

void AddRampGroup(DialogTemplate& d, const RampGroup& g) {
    d.controls.push_back(Group(g.title, {g.x, kGroupY, kGroupWidth, kGroupHeight}));
    const int labelX = g.x + kLabelIndent;
    const int boxX = g.x + kBoxIndent;
    const int spinX = boxX + kBoxWidth;
    const int y0 = kGroupY + 14;
    const int y1 = y0 + kRowPitch;
    const int y2 = y1 + kRowPitch;
    d.controls.push_back(Label("Current value", {labelX, y0 + 2, kLabelWidth, 8}));
    d.controls.push_back(ReadOnly(g.current, {boxX, y0, kBoxWidth, kBoxHeight}, kRightAlign));
    d.controls.push_back(Label(g.desiredLabel, {labelX, y1 + 2, kLabelWidth, 8}));
    const DialogRect desiredBox{boxX, y1, kBoxWidth, kBoxHeight};
    d.controls.push_back(g.desiredStyle == 0 ? Digits(g.desired, desiredBox, kRightAlign)
                                             : Edit(g.desired, desiredBox, kRightAlign));
    d.controls.push_back(Spin(g.desiredSpin, g.desired, {spinX, y1, kSpinWidth, kBoxHeight}));
    d.controls.push_back(Label("Updating speed", {labelX, y2 + 2, kLabelWidth, 8}));
    d.controls.push_back(Digits(g.speed, {boxX, y2, kBoxWidth, kBoxHeight}, kRightAlign));
    d.controls.push_back(Spin(g.speedSpin, g.speed, {spinX, y2, kSpinWidth, kBoxHeight}));
}

void AddDrive(DialogTemplate& d) {
    constexpr int kSigned = 1;
    AddRampGroup(d,
                 {"Feedback gain", 7, IDC_GAIN_CURRENT, IDC_GAIN_DESIRED, "Desired value [0,1023]",
                  IDC_GAIN_DESIRED_SPIN, IDC_GAIN_SPEED, IDC_GAIN_SPEED_SPIN, 0});
    AddRampGroup(d, {"Amplitude", 146, IDC_AMPLITUDE_CURRENT, IDC_AMPLITUDE_DESIRED,
                     "Desired value [0,1023]", IDC_AMPLITUDE_DESIRED_SPIN, IDC_AMPLITUDE_SPEED,
                     IDC_AMPLITUDE_SPEED_SPIN, 0});
    AddRampGroup(
        d, {"Bias current", 285, IDC_BIAS_CURRENT, IDC_BIAS_DESIRED, "Desired value [+/- 2047]",
            IDC_BIAS_DESIRED_SPIN, IDC_BIAS_SPEED, IDC_BIAS_SPEED_SPIN, kSigned});
    // The amplitude's velocity and range, in the amplitude group.
    constexpr int kVelocityY = kGroupY + 14 + 3 * kRowPitch;
    d.controls.push_back(ReadOnly(IDC_VELOCITY, {152, kVelocityY, 44, kBoxHeight}, kRightAlign));
    d.controls.push_back(Label("mm/s", {200, kVelocityY + 2, 24, 8}));
    d.controls.push_back(Check(IDC_HIGH_RANGE, "High range", {230, kVelocityY + 1, 50, 10}));
    d.controls.push_back(
        Label("Updating speed [1,16] x5ms/step.  16:immediate change", {7, 105, 260, 8}));
}

void AddFrequency(DialogTemplate& d) {
    d.controls.push_back(
        Group("Frequency = 24e6 / (8192*(256-L)*(8*(K+1)+24))", {7, 118, 200, 58}));
    d.controls.push_back(Label("K [0,3]", {13, 136, 36, 8}));
    d.controls.push_back(Digits(IDC_DIVIDER_K, {52, 134, 26, kBoxHeight}, kRightAlign));
    d.controls.push_back(
        Spin(IDC_DIVIDER_K_SPIN, IDC_DIVIDER_K, {78, 134, kSpinWidth, kBoxHeight}));
    d.controls.push_back(Label("L [0,255]", {13, 154, 36, 8}));
    d.controls.push_back(Digits(IDC_DIVIDER_L, {52, 152, 26, kBoxHeight}, kRightAlign));
    d.controls.push_back(
        Spin(IDC_DIVIDER_L_SPIN, IDC_DIVIDER_L, {78, 152, kSpinWidth, kBoxHeight}));
    d.controls.push_back(Label("Frequency [Hz]", {110, 136, 70, 8}));
    d.controls.push_back(ReadOnly(IDC_FREQUENCY, {110, 152, 56, kBoxHeight}, kRightAlign));
    d.controls.push_back(Label("Velocity Coefficients (H,L)", {225, 124, 110, 8}));
    d.controls.push_back(
        Make(IDC_VELOCITY_COEFFICIENTS, ControlKind::StaticText, "", {225, 138, 110, 8}));
}

void AddReference(DialogTemplate& d) {
    d.controls.push_back(Group("Reference file", {7, 184, 70, 40}));
    d.controls.push_back(Button(IDC_REFERENCE_LOAD, "Load", {15, 200, 54, kButtonHeight}));
    d.controls.push_back(Group("Rounded triangle reference", {82, 184, 270, 40}));
    d.controls.push_back(Label("Rounding scope", {88, 203, 54, 8}));
    d.controls.push_back(Digits(IDC_ROUNDING_SCOPE, {142, 201, 28, kBoxHeight}, kRightAlign));
    d.controls.push_back(
        Spin(IDC_ROUNDING_SCOPE_SPIN, IDC_ROUNDING_SCOPE, {170, 201, kSpinWidth, kBoxHeight}));
    d.controls.push_back(Label("channels [0,2047]", {185, 203, 70, 8}));
    d.controls.push_back(Button(IDC_REFERENCE_COSINE, "Cosine", {264, 200, 40, kButtonHeight}));
    d.controls.push_back(Button(IDC_REFERENCE_PARABOLA, "Parabola", {306, 200, 40, kButtonHeight}));
    d.controls.push_back(
        Label("Stop vibrator (gain,ampliture ->0) for frequency or reference change !",
              {7, 230, 345, 8}));
    d.controls.push_back(
        Label("Set gain, amplitude, bias ->0 before power off !", {7, 241, 345, 8}));
}

void AddButtons(DialogTemplate& d) {
    constexpr int kX = 359;
    constexpr int kWidth = 62;
    d.controls.push_back(
        Button(IDC_VIB_FROM_BUFFER, "<-- Buffer", {kX, 118, kWidth, kButtonHeight}));
    d.controls.push_back(
        Button(IDC_VIB_TO_BUFFER, "--> Buffer", {kX, 136, kWidth, kButtonHeight}, kDisabled));
    d.controls.push_back(
        Button(IDC_VIB_FROM_HARDWARE, "<-- Hardware", {kX, 154, kWidth, kButtonHeight}));
    d.controls.push_back(
        Button(IDC_VIB_TO_HARDWARE, "--> Hardware", {kX, 172, kWidth, kButtonHeight}));
    d.controls.push_back(Button(IDCANCEL, "Close", {kX, 254, kWidth, kButtonHeight}));
    d.controls.push_back(ReadOnly(IDC_VIB_STATUS, {7, 255, 345, kBoxHeight}));
}

DialogTemplate Build() {
    DialogTemplate d;
    d.id = IDD_VIBRATOR;
    d.caption = "Vibrator Parameters";
    d.rect = {0, 0, 428, 276};
    AddDrive(d);
    AddFrequency(d);
    AddReference(d);
    AddButtons(d);
    return d;
}

}  // namespace

const DialogTemplate& VibratorTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv

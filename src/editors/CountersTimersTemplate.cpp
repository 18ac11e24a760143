#include "editors/CountersTimersTemplate.h"

#include "editors/SettingEditorDlg.h"
#include "framework/TemplateControls.h"

namespace qv {

namespace {

using namespace tpl;

constexpr int kBoxHeight = 12;
constexpr int kCheckHeight = 10;
constexpr int kButtonHeight = 14;

// Columns: switch, clock and backup; the analyser; the two Qv memories.
constexpr int kLeftX = 7;
constexpr int kLeftWidth = 130;
constexpr int kMiddleX = 144;
constexpr int kMiddleWidth = 150;
constexpr int kRightX = 301;
constexpr int kRightWidth = 160;
constexpr int kQvGroupHeight = 106;

void AddSwitch(DialogTemplate& d) {
    const int x = kLeftX + 6;
    d.controls.push_back(Group("Switch", {kLeftX, 4, kLeftWidth, 72}));
    d.controls.push_back(Check(IDC_CT_SWITCH_STATE, "State (RO)", {x, 16, 58, kCheckHeight}));
    d.controls.push_back(Check(IDC_CT_DELTA_FLAG, "Delta (RO)", {x + 62, 16, 56, kCheckHeight}));
    d.controls.push_back(
        Check(IDC_CT_DELTA_STOPS, "Enable: Delta -> Stop", {x, 30, 110, kCheckHeight}));
    d.controls.push_back(Check(IDC_CT_CLEAR_SWITCH, "Clear", {x, 44, 50, kCheckHeight}));
    d.controls.push_back(ReadOnly(IDC_CT_SINCE_DELTA, {x, 57, 44, kBoxHeight}, kRightAlign));
    d.controls.push_back(Label("[secs] since delta", {x + 48, 59, 70, 8}));
}

void AddUniversalTime(DialogTemplate& d) {
    const int x = kLeftX + 6;
    d.controls.push_back(Group("Universal time [sec]", {kLeftX, 80, kLeftWidth, 32}));
    d.controls.push_back(Check(IDC_CT_SET_UNIVERSAL, "Set", {x, 94, 30, kCheckHeight}));
    d.controls.push_back(Digits(IDC_CT_UNIVERSAL_TIME, {x + 50, 92, 62, kBoxHeight}, kRightAlign));
}

void AddBackup(DialogTemplate& d) {
    const int x = kLeftX + 6;
    d.controls.push_back(Group("BackUp [sec]", {kLeftX, 116, kLeftWidth, 62}));
    d.controls.push_back(Label("period", {x, 130, 44, 8}));
    d.controls.push_back(Digits(IDC_CT_BACKUP_PERIOD, {x + 50, 128, 62, kBoxHeight}, kRightAlign));
    d.controls.push_back(Check(IDC_CT_RESTART_BACKUP, "-->", {x, 146, 40, kCheckHeight}));
    d.controls.push_back(Label("till nearest", {x, 162, 46, 8}));
    d.controls.push_back(ReadOnly(IDC_CT_TILL_NEAREST, {x + 50, 160, 62, kBoxHeight}, kRightAlign));
}

void AddLiveDeadTime(DialogTemplate& d) {
    const int x = kMiddleX + 6;
    const int boxX = x + 74;
    d.controls.push_back(Group("Amplitude analyser", {kMiddleX, 4, kMiddleWidth, 72}));
    d.controls.push_back(Check(IDC_CT_ZERO_LIVE_DEAD, "Zero", {x, 16, 40, kCheckHeight}));
    d.controls.push_back(Label("Live time [sec]", {x, 31, 70, 8}));
    d.controls.push_back(ReadOnly(IDC_CT_LIVE_TIME, {boxX, 29, 64, kBoxHeight}, kRightAlign));
    d.controls.push_back(Label("Dead time [sec]", {x, 45, 70, 8}));
    d.controls.push_back(ReadOnly(IDC_CT_DEAD_TIME, {boxX, 43, 64, kBoxHeight}, kRightAlign));
    d.controls.push_back(ReadOnly(IDC_CT_DEAD_PERCENT, {x, 57, 30, kBoxHeight}, kRightAlign));
    d.controls.push_back(Label(" % Dt / (Dt+Lt)", {x + 34, 59, 80, 8}));
}

// "Start value", "Current value", "max" and "Set" of one stop counter.
struct CounterIds {
    int max;
    int set;
    int start;
    int current;
};

void AddCounterRows(DialogTemplate& d, const CounterIds& ids, int x, int y, int boxX) {
    d.controls.push_back(Button(ids.max, "max", {x, y, 26, 13}));
    d.controls.push_back(Check(ids.set, "Set", {x + 32, y + 1, 30, kCheckHeight}));
    d.controls.push_back(Label("Start value", {x, y + 17, 56, 8}));
    d.controls.push_back(Digits(ids.start, {boxX, y + 15, 76, kBoxHeight}, kRightAlign));
    d.controls.push_back(Label("Current value", {x, y + 31, 56, 8}));
    d.controls.push_back(ReadOnly(ids.current, {boxX, y + 29, 76, kBoxHeight}, kRightAlign));
}

void AddAaSecondsToStop(DialogTemplate& d) {
    const int x = kMiddleX + 6;
    d.controls.push_back(
        Group("Amplitude analyser - seconds to stop", {kMiddleX, 80, kMiddleWidth, 98}));
    d.controls.push_back(Group("Source select", {x, 92, 138, 24}));
    d.controls.push_back(Radio(IDC_CT_AA_UNIVERSAL_BASE, "0: universal time",
                               {x + 6, 102, 74, kCheckHeight}, kGroupStart));
    d.controls.push_back(
        Radio(IDC_CT_AA_LIVE_BASE, "1: live time", {x + 84, 102, 52, kCheckHeight}));
    AddCounterRows(d, {IDC_CT_AA_MAX, IDC_CT_SET_AA, IDC_CT_AA_START, IDC_CT_AA_CURRENT}, x, 124,
                   x + 62);
}

struct QvGroupIds {
    const char* name;
    int firstSource;
    const char* firstText;
    int secondSource;
    const char* secondText;
    int rate;
    CounterIds counter;
};

void AddQvGroup(DialogTemplate& d, const QvGroupIds& ids, int top) {
    const int x = kRightX + 6;
    d.controls.push_back(Group(ids.name, {kRightX, top, kRightWidth, kQvGroupHeight}));
    d.controls.push_back(Group("Source select", {x, top + 10, 70, 36}));
    d.controls.push_back(
        Radio(ids.firstSource, ids.firstText, {x + 6, top + 21, 58, kCheckHeight}, kGroupStart));
    d.controls.push_back(
        Radio(ids.secondSource, ids.secondText, {x + 6, top + 33, 58, kCheckHeight}));
    d.controls.push_back(ReadOnly(ids.rate, {x + 77, top + 18, 70, kBoxHeight}, kRightAlign));
    d.controls.push_back(Label("[pulses/sec]", {x + 77, top + 33, 70, 8}));
    d.controls.push_back(Group("Cycles to stop", {x, top + 48, 148, 54}));
    AddCounterRows(d, ids.counter, x + 6, top + 59, x + 66);
}

void AddButtons(DialogTemplate& d) {
    constexpr int kWidth = 68;
    constexpr int kPitch = 72;
    d.controls.push_back(
        Button(IDC_CT_FROM_BUFFER, kFromBufferText, {kLeftX, 186, kWidth, kButtonHeight}));
    d.controls.push_back(Button(IDC_CT_TO_BUFFER, kToBufferText,
                                {kLeftX + kPitch, 186, kWidth, kButtonHeight}, kDisabled));
    d.controls.push_back(Button(IDC_CT_FROM_HARDWARE, kFromHardwareText,
                                {kLeftX + 2 * kPitch, 186, kWidth, kButtonHeight}));
    d.controls.push_back(Button(IDC_CT_TO_HARDWARE, kToHardwareText,
                                {kLeftX + 3 * kPitch, 186, kWidth + 3, kButtonHeight}));
    d.controls.push_back(Check(IDC_CT_ULOCK, "ULock", {kLeftX, 208, 40, kCheckHeight}));
    d.controls.push_back(ReadOnly(IDC_CT_STATUS, {kLeftX + 44, 206, 168, kBoxHeight}));
    d.controls.push_back(
        Button(IDCANCEL, "Cancel", {kLeftX + 3 * kPitch, 205, kWidth + 3, kButtonHeight}));
}

DialogTemplate Build() {
    DialogTemplate d;
    d.id = IDD_COUNTERS_TIMERS;
    d.caption = "General Counters&Timers - setup";
    d.rect = {0, 0, kRightX + kRightWidth + 7, 226};
    AddSwitch(d);
    AddUniversalTime(d);
    AddBackup(d);
    AddLiveDeadTime(d);
    AddAaSecondsToStop(d);
    AddQvGroup(d,
               {"Qv2",
                IDC_CT_QV2_AUX,
                "0: aux",
                IDC_CT_QV2_LASER,
                "1: laser",
                IDC_CT_QV2_RATE,
                {IDC_CT_QV2_MAX, IDC_CT_SET_QV2, IDC_CT_QV2_START, IDC_CT_QV2_CURRENT}},
               4);
    AddQvGroup(d,
               {"Qv1",
                IDC_CT_QV1_AUX,
                "0: aux",
                IDC_CT_QV1_LOCAL,
                "1: local",
                IDC_CT_QV1_RATE,
                {IDC_CT_QV1_MAX, IDC_CT_SET_QV1, IDC_CT_QV1_START, IDC_CT_QV1_CURRENT}},
               4 + kQvGroupHeight + 4);
    AddButtons(d);
    return d;
}

}  // namespace

const DialogTemplate& CountersTimersTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv

#include "editors/ClearRunTemplate.h"

#include "framework/TemplateControls.h"

namespace qv {

namespace {

// Three columns, left to right Qv2, Qv1, Aa; the group's button at the right.
constexpr int kColumnX[] = {16, 66, 116};
constexpr int kCheckWidth = 49;
constexpr int kCheckHeight = 12;
constexpr int kGroupX = 7;
constexpr int kGroupWidth = 236;
constexpr int kButtonX = 176;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 14;

void AddColumnRow(DialogTemplate& d, const int (&ids)[3], const char* const (&texts)[3], int y) {
    for (int i = 0; i < 3; ++i) {
        d.controls.push_back(
            tpl::Check(ids[i], texts[i], {kColumnX[i], y, kCheckWidth, kCheckHeight}));
    }
}

void AddClearGroup(DialogTemplate& d) {
    d.controls.push_back(tpl::Group("Clear memory", {kGroupX, 4, kGroupWidth, 34}));
    AddColumnRow(d, {IDC_CLEAR_QV2, IDC_CLEAR_QV1, IDC_CLEAR_AA}, {"Qv2", "Qv1", "Aa"}, 19);
    d.controls.push_back(
        tpl::Button(IDC_CLEAR_GO, "Go !", {kButtonX, 18, kButtonWidth, kButtonHeight}));
}

void AddRunGroup(DialogTemplate& d) {
    d.controls.push_back(tpl::Group("Start/Stop counting", {kGroupX, 44, kGroupWidth, 50}));
    AddColumnRow(d, {IDC_ENABLE_GO_QV2, IDC_ENABLE_GO_QV1, IDC_ENABLE_GO_AA},
                 {"enable_Go", "enable_Go", "enable_Go"}, 58);
    AddColumnRow(d, {IDC_COUNT_QV2, IDC_COUNT_QV1, IDC_COUNT_AA},
                 {"Qv2 count", "Qv1 count", "Aa count"}, 75);
    d.controls.push_back(
        tpl::Button(IDC_RUN_GO, "Go ! / refresh", {kButtonX, 66, kButtonWidth, kButtonHeight}));
}

DialogTemplate Build() {
    DialogTemplate d;
    d.id = IDD_CLEAR_RUN;
    d.caption = "Clear, run/stop";
    d.rect = {0, 0, 250, 142};
    AddClearGroup(d);
    AddRunGroup(d);
    d.controls.push_back(tpl::ReadOnly(IDC_RUN_STATUS, {kGroupX, 101, 150, 12}));
    d.controls.push_back(tpl::Check(IDC_RUN_ULOCK, "ULock", {kButtonX, 101, 48, kCheckHeight}));
    d.controls.push_back(
        tpl::Button(IDC_RUN_DISABLE, "Disable", {kGroupX, 121, kButtonWidth, kButtonHeight}));
    d.controls.push_back(
        tpl::Button(IDCANCEL, "Close", {kButtonX, 121, kButtonWidth, kButtonHeight}));
    return d;
}

}  // namespace

const DialogTemplate& ClearRunTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv

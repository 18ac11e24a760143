#include "editors/AuxDacTemplate.h"

#include <array>

#include "framework/TemplateControls.h"

namespace qv {

namespace {

constexpr int kLabelX = 7;
constexpr int kLabelWidth = 76;
constexpr int kBoxX = 86;
constexpr int kBoxWidth = 30;
constexpr int kFirstRowY = 8;
constexpr int kRowPitch = 16;
constexpr int kBoxHeight = 12;
constexpr int kButtonX = 136;
constexpr int kButtonWidth = 62;
constexpr int kButtonHeight = 14;

DialogTemplate Build() {
    using namespace tpl;
    DialogTemplate d;
    d.id = IDD_AUX_DAC;
    d.caption = "Auxiliary bytes, DAC8bit";
    d.rect = {0, 0, 206, 150};
    struct Row {
        int id;
        const char* label;
    };
    constexpr std::array<Row, 6> kRows{{{IDC_AUX0, "AUX0"},
                                        {IDC_AUX1, "AUX1"},
                                        {IDC_AUX2, "AUX2 (Lock, ULock)"},
                                        {IDC_AUX3, "AUX3 (Lock)"},
                                        {IDC_AUX4, "AUX4 (Lock)"},
                                        {IDC_DAC8, "DAC8"}}};
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const int y = kFirstRowY + static_cast<int>(i) * kRowPitch;
        d.controls.push_back(Label(kRows[i].label, {kLabelX, y + 2, kLabelWidth, 8}));
        d.controls.push_back(Digits(kRows[i].id, {kBoxX, y, kBoxWidth, kBoxHeight}, kRightAlign));
    }
    const int dacY = kFirstRowY + 5 * kRowPitch;
    d.controls.push_back(Spin(IDC_DAC8_SPIN, IDC_DAC8, {kBoxX + kBoxWidth, dacY, 10, kBoxHeight}));
    d.controls.push_back(Label("All values [0,255]", {kLabelX, dacY + 18, 110, 8}));
    d.controls.push_back(
        Button(IDC_AUX_FROM_HARDWARE, "<-- Hardware", {kButtonX, 8, kButtonWidth, kButtonHeight}));
    d.controls.push_back(
        Button(IDC_AUX_TO_HARDWARE, "--> Hardware", {kButtonX, 26, kButtonWidth, kButtonHeight}));
    d.controls.push_back(Button(IDCANCEL, "Cancel", {kButtonX, 44, kButtonWidth, kButtonHeight}));
    d.controls.push_back(ReadOnly(IDC_AUX_STATUS, {kLabelX, 130, 191, kBoxHeight}));
    return d;
}

}  // namespace

const DialogTemplate& AuxDacTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv

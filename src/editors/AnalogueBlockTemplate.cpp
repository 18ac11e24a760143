#include "editors/AnalogueBlockTemplate.h"

#include <array>

#include "framework/TemplateControls.h"

namespace qv {

namespace {

constexpr int kBoxHeight = 12;
constexpr int kLabelDrop = 2;  // labels sit this much lower than the boxes beside them
constexpr int kSpinWidth = 10;
constexpr int kButtonHeight = 14;

// A labelled number box with its spin at the right.
struct NumberRow {
    int id;
    int spin;
    const char* label;
};

void AddNumberRow(std::vector<ControlTemplate>& controls, const NumberRow& row, int labelX,
                  int labelWidth, int boxX, int boxWidth, int y) {
    using namespace tpl;
    controls.push_back(Label(row.label, {labelX, y + kLabelDrop, labelWidth, 8}));
    controls.push_back(Digits(row.id, {boxX, y, boxWidth, kBoxHeight}, kRightAlign));
    controls.push_back(Spin(row.spin, row.id, {boxX + boxWidth, y, kSpinWidth, kBoxHeight}));
}

// Inputs, gain and polarity above the block diagram; the TestOut buttons at
// its left edge; the two paths' time constants and the trigger level at its
// right, each beside the line it belongs to.
void AddInputChain(std::vector<ControlTemplate>& c) {
    using namespace tpl;
    const AnalogueChainGeometry& g = kAnalogueChain;
    c.push_back(Group("Input chain", {4, 2, 432, 126}));
    c.push_back(Radio(IDC_INPUT_A, "InputA", {28, 11, 38, 12}, kGroupStart));
    c.push_back(Radio(IDC_INPUT_B, "InputB", {70, 11, 38, 12}));
    AddNumberRow(c, {IDC_GAIN, IDC_GAIN_SPIN, "Gain[0,127]"}, 116, 44, 162, 26, 11);
    c.push_back(Check(IDC_INVERT, "Invert", {208, 11, 40, 12}));

    const std::array<int, 4> testOut{IDC_TESTOUT_0, IDC_TESTOUT_1, IDC_TESTOUT_2, IDC_TESTOUT_3};
    for (std::size_t i = 0; i < testOut.size(); ++i) {
        c.push_back(Radio(testOut[i], "", {6, g.testOutCentreY[i] - 6, 18, 12},
                          i == 0 ? kGroupStart : kStyleNone));
    }
    c.push_back(Label("TestOut", {6, 119, 30, 8}));
    c.push_back(Picture(IDB_ANALOGUE_CHAIN, g.picture));

    const int textX = g.picture.x + g.picture.cx + 8;
    constexpr int kTauLabelX = 236;
    constexpr int kBoxX = 290;
    constexpr int kBoxWidth = 36;  // room for four digits
    c.push_back(Label("[1,4] <--> [0.47, 1.0, 2.2, 4.7] us", {textX, 26, 140, 8}));
    c.push_back(Label("Signal", {textX, g.signalCentreY - 4, 30, 8}));
    AddNumberRow(c, {IDC_SIGNAL_TAU, IDC_SIGNAL_TAU_SPIN, "SignalTau"}, kTauLabelX, 50, kBoxX,
                 kBoxWidth, g.signalCentreY - 6);
    c.push_back(Label("Trigger", {textX, g.triggerCentreY - 4, 30, 8}));
    AddNumberRow(c, {IDC_TRIGGER_TAU, IDC_TRIGGER_TAU_SPIN, "TriggerTau"}, kTauLabelX, 50, kBoxX,
                 kBoxWidth, g.triggerCentreY - 6);
    AddNumberRow(c, {IDC_TRIGGER_LEVEL, IDC_TRIGGER_LEVEL_SPIN, "TriggerLevel [0,1023]"}, textX, 84,
                 kBoxX, kBoxWidth, g.triggerCentreY + 12);
    c.push_back(Check(IDC_PILE_ON_FRONT, "PileOnFront Rejection", {344, 63, 88, 12}));
    c.push_back(Check(IDC_DTIM_MODE, "DTimMode", {344, 79, 88, 12}));
}

void AddWindows(std::vector<ControlTemplate>& c) {
    c.push_back(tpl::Group("Windows", {4, 132, 166, 84}));
    constexpr std::array<NumberRow, 4> kRows{{
        {IDC_AMPANAL_UP, IDC_AMPANAL_UP_SPIN, "AmpAnal_UpLimit [0,1023]"},
        {IDC_AMPANAL_LOW, IDC_AMPANAL_LOW_SPIN, "AmpAnal_LowLimit [0,1023]"},
        {IDC_SNGLCHNL_UP, IDC_SNGLCHNL_UP_SPIN, "SnglChnl_UpLimit [0,4095]"},
        {IDC_SNGLCHNL_LOW, IDC_SNGLCHNL_LOW_SPIN, "SnglChnl_LowLimit [0,4095]"},
    }};
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        AddNumberRow(c, kRows[i], 10, 104, 116, 36, 145 + static_cast<int>(i) * 17);
    }
}

// The timing chart beside the three values it explains.
void AddCapture(std::vector<ControlTemplate>& c) {
    using namespace tpl;
    c.push_back(Group("Capture", {174, 132, 262, 84}));
    c.push_back(Picture(IDB_ANALOGUE_TIMING, {180, 142, 117, 70}));
    constexpr std::array<NumberRow, 3> kRows{{
        {IDC_BASE_DELAY, IDC_BASE_DELAY_SPIN, "Base capture delay [0,15]"},
        {IDC_PEAK_DELAY, IDC_PEAK_DELAY_SPIN, "Peak capture delay [0,127]"},
        {IDC_PILE_ON_TILE, IDC_PILE_ON_TILE_SPIN, "PileOnTile Rejection [0,255]"},
    }};
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        AddNumberRow(c, kRows[i], 302, 100, 398, 26, 145 + static_cast<int>(i) * 17);
    }
    c.push_back(Button(IDC_AUTO, "Auto", {384, 196, 44, kButtonHeight}));
}

void AddTransfers(std::vector<ControlTemplate>& c) {
    using namespace tpl;
    c.push_back(ReadOnly(IDC_ANALOGUE_STATUS, {4, 225, 120, kBoxHeight}));
    struct Entry {
        int id;
        const char* text;
        unsigned style;
    };
    constexpr std::array<Entry, 5> kButtons{{
        {IDC_ANALOGUE_FROM_BUFFER, "<-- Buffer", kStyleNone},
        {IDC_ANALOGUE_TO_BUFFER, "--> Buffer", kDisabled},
        {IDC_ANALOGUE_FROM_HARDWARE, "<-- Hardware", kStyleNone},
        {IDC_ANALOGUE_TO_HARDWARE, "--> Hardware", kStyleNone},
        {IDCANCEL, "Close", kStyleNone},
    }};
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        const int x = 132 + static_cast<int>(i) * 61;
        c.push_back(Button(kButtons[i].id, kButtons[i].text, {x, 224, 57, kButtonHeight},
                           kButtons[i].style));
    }
}

DialogTemplate Build() {
    DialogTemplate d;
    d.id = IDD_ANALOGUE_BLOCK;
    d.caption = "Analogue Block Parameters";
    d.rect = {0, 0, 440, 244};
    AddInputChain(d.controls);
    AddWindows(d.controls);
    AddCapture(d.controls);
    AddTransfers(d.controls);
    return d;
}

}  // namespace

const DialogTemplate& AnalogueBlockTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv

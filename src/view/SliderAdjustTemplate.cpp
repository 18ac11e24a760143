#include "view/SliderAdjustTemplate.h"

#include "framework/TemplateControls.h"

namespace qv {

namespace {

constexpr int kLabelX = 7;
constexpr int kLabelWidth = 62;
constexpr int kPeak1X = 70;
constexpr int kPeak2X = 122;
constexpr int kColumnWidth = 48;
constexpr int kHalfWidth = 23;
constexpr int kBoxHeight = 12;
constexpr int kFirstRowY = 34;
constexpr int kRowPitch = 15;
constexpr int kButtonX = 178;
constexpr int kButtonWidth = 74;

int RowY(int row) {
    return kFirstRowY + row * kRowPitch;
}

void AddLabel(DialogTemplate& d, const char* text, int row) {
    d.controls.push_back(tpl::Label(text, {kLabelX, RowY(row) + 2, kLabelWidth, 8}));
}

ControlTemplate Result(int id, int x, int row, int width = kColumnWidth) {
    return tpl::ReadOnly(id, {x, RowY(row), width, kBoxHeight}, kRightAlign);
}

// A row with one box per peak.
void AddPeakRow(DialogTemplate& d, const char* label, int row, int id1, int id2) {
    AddLabel(d, label, row);
    d.controls.push_back(Result(id1, kPeak1X, row));
    d.controls.push_back(Result(id2, kPeak2X, row));
}

void AddInputs(DialogTemplate& d) {
    d.controls.push_back(tpl::Label("Apply two_pulses stimulator on Input. AutoRefresh must be on.",
                                    {kLabelX, 5, 244, 8}));
    AddLabel(d, "Noise cutoff", -1);
    d.controls.push_back(tpl::Digits(IDC_SLIDER_CUTOFF,
                                     {kPeak1X, RowY(-1), kHalfWidth + 8, kBoxHeight}, kRightAlign));
    AddLabel(d, "Ticks: desired/left", 0);
    d.controls.push_back(tpl::Digits(IDC_SLIDER_TICKS_DESIRED,
                                     {kPeak1X, RowY(0), kHalfWidth, kBoxHeight}, kRightAlign));
    d.controls.push_back(tpl::Spin(IDC_SLIDER_SPIN, IDC_SLIDER_TICKS_DESIRED,
                                   {kPeak1X + kHalfWidth, RowY(0), 10, kBoxHeight}));
    d.controls.push_back(Result(IDC_SLIDER_TICKS_LEFT, kPeak1X + kHalfWidth + 14, 0, kHalfWidth));
}

void AddResults(DialogTemplate& d) {
    d.controls.push_back(tpl::Label("Peak 1", {kPeak1X, RowY(1) + 2, kColumnWidth, 8}, kCentered));
    d.controls.push_back(tpl::Label("Peak 2", {kPeak2X, RowY(1) + 2, kColumnWidth, 8}, kCentered));
    AddPeakRow(d, "Mean channel", 2, IDC_SLIDER_MEAN1, IDC_SLIDER_MEAN2);
    AddLabel(d, "Left/right limit", 3);
    d.controls.push_back(Result(IDC_SLIDER_LEFT1, kPeak1X, 3, kHalfWidth));
    d.controls.push_back(Result(IDC_SLIDER_RIGHT1, kPeak1X + kHalfWidth + 2, 3, kHalfWidth));
    d.controls.push_back(Result(IDC_SLIDER_LEFT2, kPeak2X, 3, kHalfWidth));
    d.controls.push_back(Result(IDC_SLIDER_RIGHT2, kPeak2X + kHalfWidth + 2, 3, kHalfWidth));
    AddPeakRow(d, "Scope", 4, IDC_SLIDER_SCOPE1, IDC_SLIDER_SCOPE2);
    AddPeakRow(d, "Integral", 5, IDC_SLIDER_INTEGRAL1, IDC_SLIDER_INTEGRAL2);
    AddPeakRow(d, "Max", 6, IDC_SLIDER_MAX1, IDC_SLIDER_MAX2);
    AddPeakRow(d, "Std Dev", 7, IDC_SLIDER_STDDEV1, IDC_SLIDER_STDDEV2);
}

void AddButtons(DialogTemplate& d) {
    d.controls.push_back(tpl::DefaultButton(IDC_SLIDER_SINGLE_UPDATE, "Single Update",
                                            {kButtonX, 19, kButtonWidth, 14}));
    d.controls.push_back(tpl::Button(IDC_SLIDER_TICK_UPDATE, "CLR Aa !  Tick Update",
                                     {kButtonX, 37, kButtonWidth, 14}));
    d.controls.push_back(tpl::Make(IDC_SLIDER_STATUS, ControlKind::ReadOnlyEdit, "",
                                   {kButtonX, 55, kButtonWidth, kBoxHeight},
                                   kNoBorder | kCentered));
    d.controls.push_back(tpl::Button(IDCANCEL, "Cancel", {kButtonX, 140, kButtonWidth, 14}));
}

DialogTemplate Build() {
    DialogTemplate d;
    d.id = IDD_SLIDER_ADJUST;
    d.caption = "Service: Slider adjustment";
    d.rect = {0, 0, 258, 161};
    AddInputs(d);
    AddResults(d);
    AddButtons(d);
    return d;
}

}  // namespace

const DialogTemplate& SliderAdjustTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv

#include "view/CalibrationTemplate.h"

#include "analysis/AlphaIron.h"
#include "framework/TemplateControls.h"

namespace qv {

namespace {

constexpr int kLeft = 7;
constexpr int kLabelWidth = 104;
constexpr int kValueX = 114;
constexpr int kValueWidth = 56;
constexpr int kBoxHeight = 12;
constexpr int kRowPitch = 15;
constexpr int kScaleY = 36;
constexpr int kTableY = 128;
constexpr int kColumnX[kCalibrationColumns] = {28, 64, 100, 132};
constexpr int kColumnWidth[kCalibrationColumns] = {34, 34, 30, 38};
constexpr int kPictureX = 178;
constexpr int kPictureWidth = 300;
constexpr int kHeight = 264;

void AddSpectrumChoice(DialogTemplate& d) {
    d.controls.push_back(tpl::Group("Spectrum", {kLeft, 4, 163, 26}));
    d.controls.push_back(tpl::Radio(IDC_CAL_QV1, "Qv1", {16, 14, 40, 12}, kGroupStart));
    d.controls.push_back(tpl::Radio(IDC_CAL_QV2, "Qv2", {70, 14, 40, 12}));
}

void AddScale(DialogTemplate& d) {
    const struct {
        const char* label;
        int id;
    } rows[] = {{"Folding point (channels)", IDC_CAL_FOLDING},
                {"Zero-velocity channel", IDC_CAL_ZERO},
                {"Velocity per channel (mm/s)", IDC_CAL_PER_CHANNEL},
                {"Maximum velocity (mm/s)", IDC_CAL_MAX_VELOCITY},
                {"\u03c7\u00b2 per degree of freedom", IDC_CAL_CHI2}};
    int y = kScaleY;
    for (const auto& row : rows) {
        d.controls.push_back(tpl::Label(row.label, {kLeft, y + 2, kLabelWidth, 8}));
        d.controls.push_back(
            tpl::ReadOnly(row.id, {kValueX, y, kValueWidth, kBoxHeight}, kRightAlign));
        y += kRowPitch;
    }
}

void AddLines(DialogTemplate& d) {
    const char* headings[kCalibrationColumns] = {"Position", "Width", "Depth", "Residual"};
    for (int c = 0; c < kCalibrationColumns; ++c) {
        d.controls.push_back(
            tpl::Label(headings[c], {kColumnX[c], kTableY, kColumnWidth[c], 8}, kCentered));
    }
    d.controls.push_back(tpl::Label("Line", {kLeft, kTableY, 20, 8}));
    for (int line = 0; line < analysis::kSextetLines; ++line) {
        const int y = kTableY + 11 + line * 14;
        d.controls.push_back(tpl::Label(std::to_string(line + 1), {kLeft + 4, y + 2, 12, 8}));
        for (int c = 0; c < kCalibrationColumns; ++c) {
            d.controls.push_back(tpl::ReadOnly(CalibrationLineId(line, c),
                                               {kColumnX[c], y, kColumnWidth[c], kBoxHeight},
                                               kRightAlign));
        }
    }
    d.controls.push_back(
        tpl::Label("Position, width and residual in mm/s; depth in % of the baseline.",
                   {kLeft, kTableY + 97, 163, 18}));
}

DialogTemplate Build() {
    DialogTemplate d;
    d.id = IDD_CALIBRATION;
    d.caption = "Calibrate on \u03b1-iron";
    d.rect = {20, 20, kPictureX + kPictureWidth + 7, kHeight};
    AddSpectrumChoice(d);
    AddScale(d);
    AddLines(d);
    ControlTemplate picture =
        tpl::Picture(IDB_CALIBRATION_PLOT, {kPictureX, 7, kPictureWidth, 222});
    picture.id = IDC_CAL_PICTURE;
    d.controls.push_back(picture);
    d.controls.push_back(tpl::Make(IDC_CAL_STATUS, ControlKind::StaticText, "",
                                   {kPictureX, 233, kPictureWidth - 110, 27}));
    d.controls.push_back(
        tpl::Button(IDC_CAL_USE, "Use", {kPictureX + kPictureWidth - 104, 240, 50, 14}));
    d.controls.push_back(
        tpl::DefaultButton(IDCANCEL, "Close", {kPictureX + kPictureWidth - 50, 240, 50, 14}));
    return d;
}

}  // namespace

const DialogTemplate& CalibrationTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv

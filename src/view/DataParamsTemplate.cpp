#include "view/DataParamsTemplate.h"

#include <array>
#include <string>
#include <utility>

namespace qv {

namespace {

// Columns, in dialog units.
constexpr int kLeftX = 4;
constexpr int kRightX = 53;
constexpr int kValueWidth = 46;
constexpr int kLegendX = 102;
constexpr int kShowX = 126;
constexpr int kShowWidth = 56;
constexpr int kMaxX = 185;
constexpr int kMaxWidth = 44;
constexpr int kDepthX = 232;
constexpr int kDepthWidth = 28;
constexpr int kPercentX = 262;

// Rows: headings, five spectra, then the cursor line.
constexpr int kHeadingY = 4;
constexpr int kFirstRowY = 16;
constexpr int kRowPitch = 15;
constexpr int kBoxHeight = 12;
constexpr int kLabelHeight = 8;
constexpr int kLabelDrop = 2;  // labels sit this much lower than the boxes beside them
constexpr int kCursorRowY = 91;

ControlTemplate Control(int id, ControlKind kind, std::string text, DialogRect rect,
                        unsigned style = kStyleNone) {
    ControlTemplate control;
    control.id = id;
    control.kind = kind;
    control.text = std::move(text);
    control.rect = rect;
    control.style = style;
    return control;
}

ControlTemplate ValueBox(int id, int x, int y, int width) {
    return Control(id, ControlKind::ReadOnlyEdit, "", {x, y, width, kBoxHeight}, kRightAlign);
}

ControlTemplate Label(std::string text, int x, int y, int width) {
    return Control(kStaticId, ControlKind::StaticText, std::move(text),
                   {x, y + kLabelDrop, width, kLabelHeight});
}

// One spectrum's row; 0 where the row has no such box.
struct SpectrumRow {
    int left;
    int right;
    int show;
    const char* name;
    int max;
    int depth;
};

constexpr std::array<SpectrumRow, 5> kRows{{
    {IDC_LEFT_SUM, IDC_RIGHT_SUM, IDC_SHOW_SUM, "Aa_Sum", IDC_MAX_SUM, 0},
    {IDC_LEFT_COINC, IDC_RIGHT_COINC, IDC_SHOW_COINC, "Aa_Coinc", 0, 0},
    {IDC_LEFT_ANTICOINC, IDC_RIGHT_ANTICOINC, IDC_SHOW_ANTICOINC, "Aa_AntiCoinc", 0, 0},
    {IDC_LEFT_QV2, IDC_RIGHT_QV2, IDC_SHOW_QV2, "Qv2", IDC_MAX_QV2, IDC_DEPTH_QV2},
    {IDC_LEFT_QV1, IDC_RIGHT_QV1, IDC_SHOW_QV1, "Qv1", IDC_MAX_QV1, IDC_DEPTH_QV1},
}};

void AddRow(std::vector<ControlTemplate>& controls, const SpectrumRow& row, int y) {
    controls.push_back(ValueBox(row.left, kLeftX, y, kValueWidth));
    controls.push_back(ValueBox(row.right, kRightX, y, kValueWidth));
    controls.push_back(
        Control(row.show, ControlKind::CheckBox, row.name, {kShowX, y, kShowWidth, kBoxHeight}));
    if (row.max != 0) {
        controls.push_back(ValueBox(row.max, kMaxX, y, kMaxWidth));
    }
    if (row.depth != 0) {
        controls.push_back(ValueBox(row.depth, kDepthX, y, kDepthWidth));
        controls.push_back(Label("% of Max", kPercentX, y, 32));
    }
}

void AddHeadings(std::vector<ControlTemplate>& controls) {
    controls.push_back(Label("At left cursor", kLeftX, kHeadingY - kLabelDrop, kValueWidth));
    controls.push_back(Label("At right cursor", kRightX, kHeadingY - kLabelDrop, kValueWidth));
    controls.push_back(Label("Show", kShowX, kHeadingY - kLabelDrop, kShowWidth));
    controls.push_back(Label("Max", kMaxX, kHeadingY - kLabelDrop, kMaxWidth));
    controls.push_back(Label("Depth", kDepthX, kHeadingY - kLabelDrop, kDepthWidth));
    controls.push_back(Control(IDC_HIDE, ControlKind::Button, "Hide", {262, 2, 32, 13}));
}

// Left cursor <--- distance ---> right cursor :cursors
void AddCursorRow(std::vector<ControlTemplate>& controls) {
    const int y = kCursorRowY;
    controls.push_back(ValueBox(IDC_LEFT_CURSOR, kLeftX, y, 30));
    controls.push_back(Label("<---", 36, y, 16));
    controls.push_back(ValueBox(IDC_CURSOR_SPAN, 54, y, 30));
    controls.push_back(Label("--->", 86, y, 16));
    controls.push_back(ValueBox(IDC_RIGHT_CURSOR, 104, y, 30));
    controls.push_back(Label(":cursors", 136, y, 32));
}

ControlTemplate Legend() {
    // 32 x 120 pixels: about 21 x 74 dialog units at the panel's font.
    ControlTemplate legend =
        Control(kStaticId, ControlKind::Bitmap, "", {kLegendX, kFirstRowY, 21, 74});
    legend.bitmap = IDB_LEGEND;
    return legend;
}

DialogTemplate Build() {
    DialogTemplate d;
    d.id = IDD_DATA_PARAMS;
    d.caption = "Data parameters";
    d.rect = {0, 0, 297, 106};
    d.systemMenu = false;
    AddHeadings(d.controls);
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        AddRow(d.controls, kRows[i], kFirstRowY + static_cast<int>(i) * kRowPitch);
    }
    d.controls.push_back(Legend());
    AddCursorRow(d.controls);
    return d;
}

}  // namespace

const DialogTemplate& DataParamsTemplate() {
    static const DialogTemplate t = Build();
    return t;
}

}  // namespace qv

#include "view/DataParamsDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ViewFixture.h"
#include "document/CommandIds.h"
#include "framework/DialogHost.h"
#include "view/DataParamsTemplate.h"
#include "view/LegendBitmap.h"

namespace qv::test {
namespace {

const ControlTemplate& Find(int id) {
    const ControlTemplate* control = DataParamsTemplate().Find(id);
    EXPECT_NE(control, nullptr) << id;
    static const ControlTemplate none;
    return control != nullptr ? *control : none;
}

bool HasLabel(const std::string& text) {
    for (const ControlTemplate& control : DataParamsTemplate().controls) {
        if (control.id == kStaticId && control.text == text) {
            return true;
        }
    }
    return false;
}

TEST(DataParamsTemplateTest, PanelFrame) {
    const DialogTemplate& t = DataParamsTemplate();
    EXPECT_EQ(t.id, 144);
    EXPECT_EQ(t.caption, "Data parameters");
    EXPECT_EQ(t.rect.cx, 297);
    EXPECT_EQ(t.rect.cy, 106);
    EXPECT_FALSE(t.systemMenu);
}

TEST(DataParamsTemplateTest, ValueBoxesAreReadOnlyAndRightAligned) {
    for (const int id : {1164, 1167, 1168, 1169, 1171, 1172, 1173, 1174, 1175, 1176, 1177, 1178,
                         1179, 1180, 1181, 1182, 1183, 1184}) {
        EXPECT_EQ(Find(id).kind, ControlKind::ReadOnlyEdit) << id;
        EXPECT_NE(Find(id).style & kRightAlign, 0u) << id;
    }
}

TEST(DataParamsTemplateTest, ShowCheckBoxesAndHideButton) {
    const std::vector<std::pair<int, std::string>> boxes{
        {1159, "Aa_Sum"}, {1160, "Aa_Coinc"}, {1161, "Aa_AntiCoinc"}, {1162, "Qv2"}, {1163, "Qv1"}};
    for (const auto& [id, text] : boxes) {
        EXPECT_EQ(Find(id).kind, ControlKind::CheckBox) << id;
        EXPECT_EQ(Find(id).text, text);
    }
    EXPECT_EQ(Find(1185).kind, ControlKind::Button);
    EXPECT_EQ(Find(1185).text, "Hide");
}

TEST(DataParamsTemplateTest, LabelsAndLegend) {
    for (const char* text : {"At left cursor", "At right cursor", "Show", "Max", "Depth",
                             "% of Max", "<---", "--->", ":cursors"}) {
        EXPECT_TRUE(HasLabel(text)) << text;
    }
    int legends = 0;
    for (const ControlTemplate& control : DataParamsTemplate().controls) {
        legends += control.kind == ControlKind::Bitmap && control.bitmap == 145 ? 1 : 0;
    }
    EXPECT_EQ(legends, 1);
}

TEST(DataParamsTemplateTest, ControlsStayInsideThePanel) {
    for (const ControlTemplate& control : DataParamsTemplate().controls) {
        EXPECT_LE(control.rect.x + control.rect.cx, 297) << control.text;
        EXPECT_LE(control.rect.y + control.rect.cy, 106) << control.text;
    }
}

TEST(LegendBitmapTest, FiveColourBandsPartedByOlive) {
    const RgbCanvas legend = LegendBitmap();
    ASSERT_EQ(legend.Width(), 32);
    ASSERT_EQ(legend.Height(), 120);
    const Rgb olive{128, 128, 0};
    const Rgb bands[] = {kSumColour, kCoincColour, kAntiCoincColour, kQv2Colour, kQv1Colour};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(legend.Pixel(16, i * 24 + 12), bands[i]) << i;
        EXPECT_EQ(legend.Pixel(0, i * 24 + 1), bands[i]) << i;
        EXPECT_EQ(legend.Pixel(31, i * 24 + 22), bands[i]) << i;
        EXPECT_EQ(legend.Pixel(16, i * 24), olive) << i;
        EXPECT_EQ(legend.Pixel(16, i * 24 + 23), olive) << i;
    }
}

// Records the order in which the panel writes its controls.
class OrderHost : public DialogHost {
public:
    std::vector<int> changed;
    void ControlChanged(int id) override { changed.push_back(id); }
    void FocusControl(int) override {}
    void Show(ShowCommand) override {}
    void EndModal(int) override {}
    void SetHeight(int) override {}
    void InvalidateOwner(bool) override {}
};

TEST(DataParamsDlgTest, ExchangeOrder) {
    HeadlessUi ui;
    CDataParamsDlg dlg(ui);
    OrderHost host;
    dlg.AttachHost(&host);
    dlg.UpdateData(false);
    const std::vector<int> order{1174, 1179, 1161, 1173, 1178, 1160, 1172, 1177,
                                 1164, 1159, 1183, 1182, 1184, 1176, 1168, 1181,
                                 1163, 1175, 1167, 1180, 1162, 1171, 1169};
    EXPECT_EQ(host.changed, order);
}

TEST(DataParamsDlgTest, InitialMembers) {
    HeadlessUi ui;
    const CDataParamsDlg dlg(ui);
    EXPECT_EQ(dlg.m_nLeftCursor, 1000);
    EXPECT_EQ(dlg.m_nRightCursor, 3000);
    EXPECT_EQ(dlg.m_nCursorSpan, 2000);
    EXPECT_EQ(dlg.m_bPartialRedraw, 0);
    EXPECT_EQ(
        dlg.m_bShowSum + dlg.m_bShowCoinc + dlg.m_bShowAntiCoinc + dlg.m_bShowQv1 + dlg.m_bShowQv2,
        5);
    EXPECT_TRUE(dlg.m_strDepthQv1.empty());
}

using DataParamsPanelTest = ViewFixture;

TEST_F(DataParamsPanelTest, NewDocumentReadouts) {
    for (const int id : {1172, 1173, 1174, 1175, 1176, 1177, 1178, 1179, 1180, 1181}) {
        EXPECT_EQ(Panel().GetDlgItemText(id), "0") << id;
    }
    EXPECT_EQ(Panel().GetDlgItemText(IDC_MAX_SUM), "1");
    EXPECT_EQ(Panel().GetDlgItemText(IDC_MAX_QV1), "1");
    EXPECT_EQ(Panel().GetDlgItemText(IDC_MAX_QV2), "1");
    EXPECT_EQ(Panel().GetDlgItemText(IDC_DEPTH_QV1), "100.00");
    EXPECT_EQ(Panel().GetDlgItemText(IDC_DEPTH_QV2), "100.00");
    EXPECT_EQ(Panel().GetDlgItemText(IDC_LEFT_CURSOR), "1000");
    EXPECT_EQ(Panel().GetDlgItemText(IDC_CURSOR_SPAN), "2000");
    EXPECT_EQ(Panel().GetDlgItemText(IDC_RIGHT_CURSOR), "3000");
}

TEST_F(DataParamsPanelTest, DepthOfASpectrumFrom900To1000) {
    Data().Qv2.fill(950);
    Data().Qv2[0] = 900;
    Data().Qv2[1] = 1000;
    Recompute();
    view.UpdateCursorReadouts();
    EXPECT_EQ(Panel().GetDlgItemText(IDC_MAX_QV2), "1000");
    EXPECT_EQ(Panel().m_strDepthQv2, " 10.00");
    EXPECT_EQ(Panel().GetDlgItemText(IDC_DEPTH_QV2), " 10.00");
}

TEST_F(DataParamsPanelTest, ReadoutsAtBothCursors) {
    Data().AaAntiCoinc()[1000] = 4000000000u;
    Data().AaCoinc()[1000] = 300000000u;
    Data().AaCoinc()[3000] = 5;
    Data().Qv2[3000] = 12;
    Data().Qv1[1000] = 13;
    Recompute();
    view.UpdateCursorReadouts();
    EXPECT_EQ(Panel().m_dwLeftAntiCoinc, 4000000000u);
    EXPECT_EQ(Panel().m_dwLeftSum, 4300000000u - 4294967296u);  // wraps as the sum does
    EXPECT_EQ(Panel().m_dwLeftQv1, 13u);
    EXPECT_EQ(Panel().m_dwRightCoinc, 5u);
    EXPECT_EQ(Panel().m_dwRightSum, 5u);
    EXPECT_EQ(Panel().m_dwRightQv2, 12u);
    EXPECT_EQ(Panel().m_dwMaxSum, doc.Statistics().AaSumMaximum);
}

TEST_F(DataParamsPanelTest, CreatedShownAndMeasuring) {
    // The data remark panel (130) follows right after.
    EXPECT_EQ(ui.ModelessCreated(), (std::vector<int>{144, 130}));
    EXPECT_TRUE(Panel().IsWindowVisible());
    EXPECT_EQ(Panel().m_bMeasure, 1);
}

TEST_F(DataParamsPanelTest, HideEndsMeasureModeAndRepaintsWithErase) {
    Panel().OnCommand(IDC_HIDE);
    EXPECT_EQ(Panel().m_bMeasure, 0);
    EXPECT_FALSE(Panel().IsWindowVisible());
    EXPECT_EQ(Panel().OwnerInvalidations(), 1);
    EXPECT_TRUE(Panel().LastOwnerErase());
}

TEST_F(DataParamsPanelTest, MeasureDataShowsThePanelAgain) {
    Panel().OnHide();
    host.invalidations.clear();
    EXPECT_TRUE(view.OnCmdMsg(ID_MEASURE_DATA));
    EXPECT_EQ(Panel().m_bMeasure, 1);
    EXPECT_TRUE(Panel().IsWindowVisible());
    EXPECT_EQ(host.invalidations, std::vector<bool>{false});
}

TEST_F(DataParamsPanelTest, ShowCheckBoxesRepaintWithEraseAndKeepTheReadouts) {
    Data().Qv1[1000] = 42;
    view.UpdateCursorReadouts();
    const std::vector<std::pair<int, std::int32_t CDataParamsDlg::*>> boxes{
        {IDC_SHOW_SUM, &CDataParamsDlg::m_bShowSum},
        {IDC_SHOW_COINC, &CDataParamsDlg::m_bShowCoinc},
        {IDC_SHOW_ANTICOINC, &CDataParamsDlg::m_bShowAntiCoinc},
        {IDC_SHOW_QV2, &CDataParamsDlg::m_bShowQv2},
        {IDC_SHOW_QV1, &CDataParamsDlg::m_bShowQv1}};
    int invalidations = 0;
    for (const auto& [id, member] : boxes) {
        Panel().ClickCheck(id);
        EXPECT_EQ(Panel().*member, 0) << id;
        EXPECT_EQ(Panel().OwnerInvalidations(), ++invalidations);
        EXPECT_TRUE(Panel().LastOwnerErase());
    }
    EXPECT_EQ(Panel().m_dwLeftQv1, 42u);
    EXPECT_EQ(Panel().GetDlgItemText(IDC_LEFT_QV1), "42");
    EXPECT_EQ(Panel().m_strDepthQv1, "100.00");
}

TEST_F(DataParamsPanelTest, CloseEnterAndEscapeDoNothing) {
    Panel().OnClose();
    Panel().OnCommand(IDOK);
    Panel().OnCommand(IDCANCEL);
    EXPECT_TRUE(Panel().IsWindowVisible());
    EXPECT_EQ(Panel().m_bMeasure, 1);
}

}  // namespace
}  // namespace qv::test

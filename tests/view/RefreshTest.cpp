// "Refresh from hardware" and the data remark panel, as the view runs them.
#include "ViewFixture.h"
#include "document/CommandIds.h"
#include "editors/DataRemarkTemplate.h"
#include "hardware/CHardwarePort.h"
#include "hardware/HardwareGlobals.h"

namespace qv::test {
namespace {

// Block captures that always succeed and count their calls.
class CountingEditors : public HardwareEditors {
public:
    bool HasEditor(int) const override { return false; }
    void RunEditor(int, CQvDoc&) override {}
    int CaptureToBuffer(CapturedBlock, CQvDoc& doc) override {
        ++captures;
        doc.Data().Settings.Analogue.Gain = 42;
        return 0;
    }
    int captures = 0;
};

class RefreshTest : public ViewFixture {
protected:
    void TearDown() override { HardwareGlobals::Instance().Reset(); }
    CDataRemarkDlg& Remark() { return view.DataRemark(); }
};

TEST_F(RefreshTest, TheRemarkPanelIsCreatedShownAndFilledWithTheView) {
    EXPECT_TRUE(Remark().IsWindowVisible());
    doc.Data().Remark = "alpha iron";
    view.OnInitialUpdate();
    EXPECT_EQ(Remark().GetDlgItemText(IDC_REMARK_TEXT), "alpha iron");
}

// Without a card the capture fails at its first block; the view is refreshed
// from whatever the document holds all the same.
TEST_F(RefreshTest, AFailedCaptureStillRefreshesReadoutsPanelAndPicture) {
    Data().Qv1[Panel().m_nLeftCursor] = 777;
    Recompute();
    doc.Data().Remark = "from the file";
    Remark().TypeText(IDC_REMARK_TEXT, "typed");
    host.invalidations.clear();
    ASSERT_TRUE(view.OnCmdMsg(ID_REFRESH));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Hardware turned off?\nErr no:2");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Panel().m_dwLeftQv1, 777u);
    EXPECT_EQ(Remark().GetDlgItemText(IDC_REMARK_TEXT), "from the file");
    EXPECT_EQ(host.invalidations, std::vector<bool>{false});
}

TEST_F(RefreshTest, ACaptureHeldOffByTheSuspendFlagStillShowsTheNewBlocks) {
    CountingEditors editors;
    doc.SetHardwareEditors(&editors);
    CHardwarePort::SetSuspend(1);
    host.invalidations.clear();
    view.OnRefresh();
    EXPECT_EQ(editors.captures, 4);
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_EQ(Remark().GetDlgItemText(IDC_REMARK_GAIN), "42");
    EXPECT_EQ(host.invalidations, std::vector<bool>{false});
}

TEST_F(RefreshTest, DataRemarkShowsThePanelAgainWithTheDocumentsRemark) {
    Remark().OnCommand(IDC_REMARK_HIDE);
    ASSERT_FALSE(Remark().IsWindowVisible());
    doc.Data().Remark = "second sample";
    ASSERT_TRUE(view.OnCmdMsg(ID_DATA_REMARK));
    EXPECT_TRUE(Remark().IsWindowVisible());
    EXPECT_EQ(Remark().GetDlgItemText(IDC_REMARK_TEXT), "second sample");
}

}  // namespace
}  // namespace qv::test

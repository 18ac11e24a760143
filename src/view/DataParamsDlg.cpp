#include "view/DataParamsDlg.h"

#include "framework/DataExchange.h"
#include "view/DataParamsTemplate.h"

namespace qv {

CDataParamsDlg::CDataParamsDlg(Ui& ui) : CDialog(DataParamsTemplate(), ui) {
    OnButton(IDC_HIDE, [this] { OnHide(); });
    for (const int id :
         {IDC_SHOW_SUM, IDC_SHOW_COINC, IDC_SHOW_ANTICOINC, IDC_SHOW_QV2, IDC_SHOW_QV1}) {
        OnButton(id, [this] { OnShowChanged(); });
    }
}

void CDataParamsDlg::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, IDC_LEFT_ANTICOINC, m_dwLeftAntiCoinc);
    DDX_Text(dx, IDC_RIGHT_ANTICOINC, m_dwRightAntiCoinc);
    DDX_Check(dx, IDC_SHOW_ANTICOINC, m_bShowAntiCoinc);
    DDX_Text(dx, IDC_LEFT_COINC, m_dwLeftCoinc);
    DDX_Text(dx, IDC_RIGHT_COINC, m_dwRightCoinc);
    DDX_Check(dx, IDC_SHOW_COINC, m_bShowCoinc);
    DDX_Text(dx, IDC_LEFT_SUM, m_dwLeftSum);
    DDX_Text(dx, IDC_RIGHT_SUM, m_dwRightSum);
    DDX_Text(dx, IDC_MAX_SUM, m_dwMaxSum);
    DDX_Check(dx, IDC_SHOW_SUM, m_bShowSum);
    DDX_Text(dx, IDC_CURSOR_SPAN, m_nCursorSpan);
    DDX_Text(dx, IDC_LEFT_CURSOR, m_nLeftCursor);
    DDX_Text(dx, IDC_RIGHT_CURSOR, m_nRightCursor);
    DDX_Text(dx, IDC_LEFT_QV1, m_dwLeftQv1);
    DDX_Text(dx, IDC_MAX_QV1, m_dwMaxQv1);
    DDX_Text(dx, IDC_RIGHT_QV1, m_dwRightQv1);
    DDX_Check(dx, IDC_SHOW_QV1, m_bShowQv1);
    DDX_Text(dx, IDC_LEFT_QV2, m_dwLeftQv2);
    DDX_Text(dx, IDC_MAX_QV2, m_dwMaxQv2);
    DDX_Text(dx, IDC_RIGHT_QV2, m_dwRightQv2);
    DDX_Check(dx, IDC_SHOW_QV2, m_bShowQv2);
    DDX_Text(dx, IDC_DEPTH_QV1, m_strDepthQv1);
    DDX_Text(dx, IDC_DEPTH_QV2, m_strDepthQv2);
}

// Measure mode off: the view repaints without cursor lines.
void CDataParamsDlg::OnHide() {
    m_bMeasure = 0;
    ShowWindow(ShowCommand::Hide);
    InvalidateOwner(true);
}

void CDataParamsDlg::OnShowChanged() {
    UpdateData(true);
    InvalidateOwner(true);
}

}  // namespace qv

// The view's acquisition loop: the timer tick and the windows it feeds.
#include "document/QvDoc.h"
#include "view/PulseRateDlg.h"
#include "view/QvView.h"

namespace qv {

std::int32_t g_bInTimer = 0;

void CQvView::OnTimer() {
    if (g_bInTimer != 0) {
        return;
    }
    g_bInTimer = 1;
    if (m_pCountRateDlg != nullptr) {
        m_pCountRateDlg->UpdateRates(0);
    }
    g_bInTimer = 0;
}

void CQvView::OnPulseRate() {
    CPulseRateDlg dialog(m_ui);
    m_pCountRateDlg = &dialog;
    dialog.DoModal();
    m_pCountRateDlg = nullptr;
}

void CQvView::OnSliderAdjust() {
    m_sliderDlg.m_bOpen = 1;
    m_sliderDlg.DoModal();
    m_sliderDlg.m_bOpen = 0;
}

}  // namespace qv

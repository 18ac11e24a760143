#include <algorithm>
#include <cstdio>

#include "document/QvDoc.h"
#include "view/QvView.h"
#include "view/ViewConstants.h"

namespace qv {

namespace {

// Depth of a Qv spectrum: (maximum - minimum) / maximum in percent.
std::string DepthText(std::uint32_t range, std::uint32_t minimum) {
    const double r = static_cast<double>(range);
    char text[32];
    std::snprintf(text, sizeof text, "%6.2f", r * 100.0 / (r + static_cast<double>(minimum)));
    return text;
}

}  // namespace

// In zoomed mode a client area wider than the field would reach past the last
// channel; every channel is kept on the spectrum.
int CQvView::ChannelAt(CPoint point) const {
    const bool zoomed = m_bZoom != 0;
    const int scroll = zoomed ? m_host.ScrollPosition().x : 0;
    const int width = std::max(m_host.ClientSize().cx, 1);
    const double scale = zoomed ? 1.0 : static_cast<double>(kFieldWidth) / width;
    const int channel = static_cast<int>(point.x * scale) + scroll;
    return std::clamp(channel, 0, kLastChannel);
}

// Moves that arrive before the previous one is painted are dropped, so a drag
// never queues more paints than the screen shows.
void CQvView::OnMouseMove(unsigned flags, CPoint point) {
    CDataParamsDlg& p = m_dataParamsDlg;
    const bool left = (flags & MK_LBUTTON) != 0;
    const bool right = (flags & MK_RBUTTON) != 0;
    if ((!left && !right) || p.m_bMeasure == 0 || m_bDrawPending != 0) {
        return;
    }
    m_bDrawPending = 1;
    const int c = ChannelAt(point);
    p.m_nOldLeft = p.m_nLeftCursor;
    p.m_nOldRight = p.m_nRightCursor;
    if (left) {
        p.m_nLeftCursor = c;
        p.m_nRightCursor = std::max(p.m_nRightCursor, c);
    }
    if (right) {
        p.m_nRightCursor = c;
        p.m_nLeftCursor = std::min(p.m_nLeftCursor, c);
    }
    UpdateCursorReadouts();
    p.m_bPartialRedraw = 1;
    m_host.Invalidate(false);
}

void CQvView::UpdateCursorReadouts() {
    CDataParamsDlg& p = m_dataParamsDlg;
    const Measurement& data = GetDocument().Data();
    const SpectrumStatistics& stats = GetDocument().Statistics();
    const auto l = static_cast<std::size_t>(p.m_nLeftCursor);
    const auto r = static_cast<std::size_t>(p.m_nRightCursor);
    p.m_dwLeftSum = data.AaSum(l);
    p.m_dwLeftAntiCoinc = data.AaAntiCoinc()[l];
    p.m_dwLeftCoinc = data.AaCoinc()[l];
    p.m_dwLeftQv2 = data.Qv2[l];
    p.m_dwLeftQv1 = data.Qv1[l];
    p.m_dwRightSum = data.AaSum(r);
    p.m_dwRightAntiCoinc = data.AaAntiCoinc()[r];
    p.m_dwRightCoinc = data.AaCoinc()[r];
    p.m_dwRightQv2 = data.Qv2[r];
    p.m_dwRightQv1 = data.Qv1[r];
    p.m_nCursorSpan = p.m_nRightCursor - p.m_nLeftCursor;
    p.m_dwMaxSum = stats.AaSumMaximum;
    p.m_dwMaxQv2 = stats.Qv2Range + stats.Qv2Minimum;
    p.m_strDepthQv2 = DepthText(stats.Qv2Range, stats.Qv2Minimum);
    p.m_dwMaxQv1 = stats.Qv1Range + stats.Qv1Minimum;
    p.m_strDepthQv1 = DepthText(stats.Qv1Range, stats.Qv1Minimum);
    p.UpdateData(false);
}

}  // namespace qv

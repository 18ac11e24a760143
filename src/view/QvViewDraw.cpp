#include <algorithm>

#include "document/QvDoc.h"
#include "view/QvView.h"
#include "view/ScrollModes.h"
#include "view/SpectrumPoints.h"
#include "view/ViewConstants.h"

namespace qv {

namespace {
// The background fill reaches one row past the field, under the bottom points.
constexpr int kFillBottom = kFieldHeight + 1;
}  // namespace

void CQvView::OnPaint(CDC& dc) {
    OnPrepareDC(dc);
    OnDraw(dc);
}

void CQvView::OnPrepareDC(CDC& dc) const {
    const CPoint scroll = m_bZoom != 0 ? m_host.ScrollPosition() : CPoint{};
    dc.SetMapping(ViewMapping(m_bZoom != 0, kFieldSize, m_host.ClientSize(), scroll));
}

// Background, then cursor lines, then points, so points lie on the lines.
void CQvView::OnDraw(CDC& dc) {
    const Rgb previousPen = dc.SelectPen(kCursorColour);
    if (m_dataParamsDlg.m_bMeasure != 0 && m_dataParamsDlg.m_bPartialRedraw != 0) {
        DrawAroundOldCursors(dc);
    } else {
        DrawFull(dc);
    }
    dc.SelectPen(previousPen);
    m_bDrawPending = 0;
}

void CQvView::DrawFull(CDC& dc) {
    dc.FillRect({0, 0, kFieldWidth, kFillBottom}, kFieldColour);
    if (m_dataParamsDlg.m_bMeasure != 0) {
        DrawCursorLines(dc);
    }
    DrawSpectra(dc, 0, kLastChannel);
}

// A cursor has just moved: clear the bands where the old lines were, draw the
// lines anew and the points of every channel that shares a pixel with a band.
void CQvView::DrawAroundOldCursors(CDC& dc) {
    const int w = ChannelsPerPixel();
    const int h = w / 2;
    const int oldCursors[] = {m_dataParamsDlg.m_nOldLeft, m_dataParamsDlg.m_nOldRight};
    for (const int old : oldCursors) {
        dc.FillRect({old - h - 2, 0, old + h + 3, kFillBottom}, kFieldColour);
    }
    DrawCursorLines(dc);
    for (const int old : oldCursors) {
        DrawSpectra(dc, old - h - w - 3, old + h + w + 4);
    }
    m_dataParamsDlg.m_bPartialRedraw = 0;
}

void CQvView::DrawCursorLines(CDC& dc) const {
    for (const int cursor : {m_dataParamsDlg.m_nLeftCursor, m_dataParamsDlg.m_nRightCursor}) {
        dc.MoveTo(cursor, 0);
        dc.LineTo(cursor, kFieldHeight);
    }
}

// Channels one pixel covers: none in zoomed mode, where a pixel is a channel.
int CQvView::ChannelsPerPixel() const {
    if (m_bZoom != 0) {
        return 0;
    }
    return kFieldWidth / std::max(m_host.ClientSize().cx, 1);
}

void CQvView::DrawSpectra(CDC& dc, int first, int last) const {
    DrawSpectrumPoints(dc, GetDocument().Data(), GetDocument().Statistics(),
                       ShownCurvesOf(m_dataParamsDlg), first, last);
}

}  // namespace qv

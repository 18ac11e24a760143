#include "SpinArrows.h"

#include <wx/dcbuffer.h>
#include <wx/renderer.h>

namespace qv {
namespace {

constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 60;

}  // namespace

SpinArrows::SpinArrows(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size)
    : wxWindow(parent, id, pos, size, wxBORDER_NONE), m_repeat(this) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &SpinArrows::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &SpinArrows::OnPress, this);
    Bind(wxEVT_LEFT_DCLICK, &SpinArrows::OnPress, this);
    Bind(wxEVT_LEFT_UP, &SpinArrows::OnRelease, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        m_held = 0;
        m_repeat.Stop();
        Refresh();
    });
    Bind(wxEVT_TIMER, &SpinArrows::OnRepeat, this);
}

void SpinArrows::DrawHalf(wxDC& dc, const wxRect& rect, bool up) {
    const bool pressed = m_held == (up ? 1 : -1);
    const int flags =
        (pressed ? int(wxCONTROL_PRESSED) : 0) | (IsEnabled() ? 0 : int(wxCONTROL_DISABLED));
    wxRendererNative::Get().DrawPushButton(this, dc, rect, flags);
    const int half = std::max(2, std::min(rect.width, rect.height) / 3);
    const wxPoint centre = rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2);
    const int tip = up ? -half / 2 - 1 : half / 2 + 1;
    const int base = up ? half / 2 : -half / 2;
    const wxPoint arrow[] = {{centre.x - half, centre.y + base},
                             {centre.x + half, centre.y + base},
                             {centre.x, centre.y + tip}};
    const wxColour ink = GetForegroundColour();
    dc.SetPen(wxPen(ink));
    dc.SetBrush(wxBrush(ink));
    dc.DrawPolygon(3, arrow);
}

void SpinArrows::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    const wxSize size = GetClientSize();
    const int upper = size.y / 2;
    DrawHalf(dc, wxRect(0, 0, size.x, upper), true);
    DrawHalf(dc, wxRect(0, upper, size.x, size.y - upper), false);
}

void SpinArrows::OnPress(wxMouseEvent& event) {
    m_held = event.GetY() < GetClientSize().y / 2 ? 1 : -1;
    if (!HasCapture())
        CaptureMouse();
    Refresh();
    if (m_step)
        m_step(m_held);
    m_repeat.StartOnce(kFirstRepeatMs);
}

void SpinArrows::OnRelease(wxMouseEvent&) {
    m_repeat.Stop();
    m_held = 0;
    if (HasCapture())
        ReleaseMouse();
    Refresh();
}

void SpinArrows::OnRepeat(wxTimerEvent&) {
    if (m_held == 0)
        return;
    if (m_step)
        m_step(m_held);
    m_repeat.StartOnce(kRepeatMs);
}

}  // namespace qv

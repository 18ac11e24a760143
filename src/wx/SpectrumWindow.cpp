#include "SpectrumWindow.h"

#include <wx/dcclient.h>
#include <wx/frame.h>

#include "CanvasBitmap.h"
#include "DialogWindow.h"
#include "ScrollStep.h"
#include "WxText.h"
#include "WxUi.h"
#include "view/ScrollModes.h"
#include "view/ViewConstants.h"

namespace qv {
namespace {

constexpr int kPanelMargin = 8;

}  // namespace

SpectrumWindow::SpectrumWindow(wxWindow* parent, WxUi& ui, CQvDoc& document)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                       wxHSCROLL | wxVSCROLL | wxFULL_REPAINT_ON_RESIZE),
      m_ui(ui),
      m_view(ui, *this) {
    // The paint covers every pixel; scrolling repaints instead of moving pixels,
    // since the kept canvas has to follow the scroll position.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    EnableScrolling(false, false);
    Bind(wxEVT_PAINT, &SpectrumWindow::OnPaint, this);
    Bind(wxEVT_MOTION, &SpectrumWindow::OnMouseMove, this);
    Bind(wxEVT_SCROLLWIN_TOP, &SpectrumWindow::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_BOTTOM, &SpectrumWindow::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_LINEUP, &SpectrumWindow::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_LINEDOWN, &SpectrumWindow::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_PAGEUP, &SpectrumWindow::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_PAGEDOWN, &SpectrumWindow::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_THUMBTRACK, &SpectrumWindow::OnScroll, this);
    Bind(wxEVT_SCROLLWIN_THUMBRELEASE, &SpectrumWindow::OnScroll, this);
    m_view.AttachDocument(document);
    // The view's panels are owned by this window, as the view is their parent.
    m_ui.SetModelessParent(this);
    m_view.Create([] { return true; });
    m_ui.SetModelessParent(nullptr);
}

void SpectrumWindow::PlacePanel() {
    wxWindow* panel = m_ui.WindowOf(m_view.DataParams());
    if (!panel)
        return;
    const wxPoint corner = ClientToScreen(wxPoint(GetClientSize().x, 0));
    panel->Move(corner.x - panel->GetSize().x - kPanelMargin, corner.y + kPanelMargin);
    if (panel->IsShown())
        panel->Raise();
}

CSize SpectrumWindow::ClientSize() const {
    const wxSize size = GetClientSize();
    return {size.x, size.y};
}

CPoint SpectrumWindow::ScrollPosition() const {
    if (!m_scrollSizes)
        return {};
    const wxPoint start = GetViewStart();
    return {start.x, start.y};
}

void SpectrumWindow::ShowStatus(const std::string& text) {
    if (auto* frame = dynamic_cast<wxFrame*>(wxGetTopLevelParent(this));
        frame != nullptr && frame->GetStatusBar() != nullptr) {
        frame->SetStatusText(ToWx(text));
    }
}

void SpectrumWindow::Invalidate(bool erase) {
    Refresh(erase);
    if (m_invalidated)
        m_invalidated();
}

void SpectrumWindow::Refresh(bool eraseBackground, const wxRect* rect) {
    m_erase = m_erase || eraseBackground;
    wxScrolledCanvas::Refresh(false, rect);
}

// One scroll unit is one pixel, so the view start is the pixel position.
void SpectrumWindow::SetScrollBars(const ScrollSizes& sizes) {
    m_scrollSizes = sizes;
    const CPoint from = ClampScrollPosition(sizes.total, ClientSize(), ScrollPosition());
    SetScrollbars(1, 1, sizes.total.cx, sizes.total.cy, from.x, from.y, true);
}

void SpectrumWindow::RemoveScrollBars() {
    m_scrollSizes.reset();
    Scroll(0, 0);
    SetScrollbars(0, 0, 0, 0, 0, 0, true);
}

void SpectrumWindow::OnScroll(wxScrollWinEvent& event) {
    if (!m_scrollSizes)
        return;
    const ScrollSizes& sizes = *m_scrollSizes;
    const CSize client = ClientSize();
    CPoint to = ScrollPosition();
    if (event.GetOrientation() == wxHORIZONTAL) {
        const ScrollStep step{sizes.line.cx, sizes.page.cx};
        to.x = ScrolledTo(event.GetEventType(), to.x, event.GetPosition(), step,
                          sizes.total.cx - client.cx);
    } else {
        const ScrollStep step{sizes.line.cy, sizes.page.cy};
        to.y = ScrolledTo(event.GetEventType(), to.y, event.GetPosition(), step,
                          sizes.total.cy - client.cy);
    }
    ScrollTo(ClampScrollPosition(sizes.total, client, to));
}

void SpectrumWindow::ScrollTo(CPoint position) {
    if (position == ScrollPosition())
        return;
    Scroll(position.x, position.y);
    Invalidate(true);
}

// The button state that comes with each move counts, not the clicks seen.
void SpectrumWindow::OnMouseMove(wxMouseEvent& event) {
    const unsigned flags =
        (event.LeftIsDown() ? MK_LBUTTON : 0u) | (event.RightIsDown() ? MK_RBUTTON : 0u);
    m_view.OnMouseMove(flags, {event.GetX(), event.GetY()});
    event.Skip();
}

// A new size starts a new, white canvas; otherwise the old pixels stay for the
// view's partial repaint unless the request asked for an erase.
RgbCanvas& SpectrumWindow::CanvasForPaint(wxSize size) {
    if (!m_canvas || m_canvas->Width() != size.x || m_canvas->Height() != size.y)
        m_canvas.emplace(size.x, size.y);
    else if (m_erase)
        m_canvas->Clear();
    m_erase = false;
    return *m_canvas;
}

void SpectrumWindow::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return;
    RgbCanvas& canvas = CanvasForPaint(size);
    m_view.OnPaint(canvas);
    dc.DrawBitmap(CanvasBitmap(canvas), 0, 0);
    // The first paint is the first moment the view surely is on the screen, at
    // the place the window manager gave the main window: the panels go over it.
    if (m_paints++ == 0)
        CallAfter([this] {
            PlacePanel();
            if (auto* remark = dynamic_cast<DialogWindow*>(m_ui.WindowOf(m_view.DataRemark())))
                remark->PlaceByTemplate();
        });
}

}  // namespace qv

#include "VelocityWindow.h"

#include <cstdio>

#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/statusbr.h>

#include "CanvasBitmap.h"
#include "WxText.h"
#include "document/QvDoc.h"
#include "view/ProgramCalibration.h"

namespace qv {

namespace {

// The wx ids of the Show menu's items, out of the way of the program's commands.
constexpr int kMenuIdBase = wxID_HIGHEST + 200;

}  // namespace

VelocityWindow::VelocityWindow(wxWindow* owner, const CQvDoc& document,
                               const ProgramCalibration& calibration)
    : wxFrame(owner, wxID_ANY, "Velocity spectrum", wxDefaultPosition, wxSize(900, 560),
              wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT),
      m_document(document),
      m_calibration(calibration) {
    CreateShowMenu();
    CreateStatusBar(1);
    m_plot =
        new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE);
    // The paint covers every pixel.
    m_plot->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_plot->Bind(wxEVT_PAINT, &VelocityWindow::OnPaint, this);
    m_plot->Bind(wxEVT_MOTION, &VelocityWindow::OnMouseMove, this);
    m_plot->Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) { SetStatusText(""); });
    Bind(wxEVT_CLOSE_WINDOW, &VelocityWindow::OnCloseWindow, this);
}

void VelocityWindow::CreateShowMenu() {
    auto* show = new wxMenu;
    show->AppendCheckItem(kMenuIdBase + kShowQv1, "Qv&1");
    show->AppendCheckItem(kMenuIdBase + kShowQv2, "Qv&2");
    show->AppendSeparator();
    show->AppendCheckItem(kMenuIdBase + kShowMarkers, ToWx("\u03b1-iron &lines"));
    show->AppendCheckItem(kMenuIdBase + kShowFit, "&Fitted sextet and residuals");
    show->Check(kMenuIdBase + kShowQv1, m_showQv1);
    show->Check(kMenuIdBase + kShowQv2, m_showQv2);
    auto* bar = new wxMenuBar;
    bar->Append(show, "&Show");
    SetMenuBar(bar);
    Bind(wxEVT_MENU, &VelocityWindow::OnShowItem, this);
}

void VelocityWindow::OnShowItem(wxCommandEvent& event) {
    SetShown(static_cast<Item>(event.GetId() - kMenuIdBase), event.IsChecked());
}

void VelocityWindow::SetShown(Item item, bool on) {
    switch (item) {
        case kShowQv1:
            m_showQv1 = on;
            break;
        case kShowQv2:
            m_showQv2 = on;
            break;
        case kShowMarkers:
            m_options.markers = on;
            break;
        case kShowFit:
            m_options.fit = on;
            break;
    }
    GetMenuBar()->Check(kMenuIdBase + item, on);
    Redraw();
}

void VelocityWindow::Redraw() {
    if (IsShown())
        m_plot->Refresh(false);
}

std::vector<VelocityTrace> VelocityWindow::Traces() const {
    const Measurement& m = m_document.Data();
    std::vector<VelocityTrace> traces;
    if (m_showQv1)
        traces.push_back({"Qv1", m.Qv1, kVelocityQv1Colour});
    if (m_showQv2)
        traces.push_back({"Qv2", m.Qv2, kVelocityQv2Colour});
    return traces;
}

void VelocityWindow::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(m_plot);
    const wxSize size = m_plot->GetClientSize();
    if (size.x <= 0 || size.y <= 0)
        return;
    if (!m_canvas || m_canvas->Width() != size.x || m_canvas->Height() != size.y)
        m_canvas.emplace(size.x, size.y);
    m_frame = m_renderer.Draw(*m_canvas, Traces(), m_calibration.Get(), m_options);
    dc.DrawBitmap(CanvasBitmap(*m_canvas), 0, 0);
    ++m_paints;
}

void VelocityWindow::OnMouseMove(wxMouseEvent& event) {
    event.Skip();
    const CPoint at{event.GetX(), event.GetY()};
    if (!m_frame.Contains(at)) {
        SetStatusText("");
        return;
    }
    char text[96];
    std::snprintf(text, sizeof text, "%.3f mm/s, %.0f counts", m_frame.VelocityAt(at.x),
                  m_frame.CountsAt(at.y));
    SetStatusText(ToWx(text));
}

// Closing only hides it: the choices of the Show menu stay for the next time.
void VelocityWindow::OnCloseWindow(wxCloseEvent& event) {
    if (!event.CanVeto()) {
        event.Skip();
        return;
    }
    Hide();
}

}  // namespace qv

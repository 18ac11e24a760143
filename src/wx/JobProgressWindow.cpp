#include "JobProgressWindow.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "WxText.h"
#include "jobs/JobProgressTexts.h"

namespace qv {

namespace {

constexpr int kBarRange = 1000;  // per mille, as ProgressTexts gives it
constexpr int kTextWidth = 420;  // room for a long job line
constexpr int kMargin = 40;      // from the owner's edges

}  // namespace

JobProgressWindow::JobProgressWindow(wxWindow* owner, const std::string& jobName,
                                     double totalWaitSeconds, std::function<void()> stop)
    : wxFrame(owner, wxID_ANY, ToWx("Job " + jobName), wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxCLOSE_BOX | wxFRAME_TOOL_WINDOW | wxFRAME_FLOAT_ON_PARENT),
      m_totalWait(totalWaitSeconds),
      m_stop(std::move(stop)),
      m_start(std::chrono::steady_clock::now()),
      m_clock(this) {
    auto* panel = new wxPanel(this);
    auto* column = new wxBoxSizer(wxVERTICAL);
    const auto label = [&](const std::string& text) {
        auto* control = new wxStaticText(panel, wxID_ANY, ToWx(text), wxDefaultPosition,
                                         wxSize(kTextWidth, -1), wxST_ELLIPSIZE_END);
        column->Add(control, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 8);
        return control;
    };
    label("Job: " + jobName);
    m_line = label("Line -");
    m_loops = label("");
    m_elapsed = label("Elapsed 0:00");
    m_wait = label("");
    m_bar = new wxGauge(panel, wxID_ANY, kBarRange);
    column->Add(m_bar, 0, wxEXPAND | wxALL, 8);
    m_outcome = label("Running");
    m_button = new wxButton(panel, wxID_ANY, "Stop");
    column->Add(m_button, 0, wxALIGN_RIGHT | wxALL, 8);
    panel->SetSizer(column);
    column->SetSizeHints(this);
    // In the owner's lower right corner, over the spectra rather than the panels.
    if (owner) {
        const wxRect area = owner->GetScreenRect();
        Move(area.GetRight() - GetSize().x - kMargin, area.GetBottom() - GetSize().y - kMargin);
    }
    m_button->Bind(wxEVT_BUTTON, &JobProgressWindow::OnButton, this);
    Bind(wxEVT_CLOSE_WINDOW, &JobProgressWindow::OnClose, this);
    // The elapsed time goes on between the runner's reports.
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { ShowElapsed(); });
    m_clock.Start(1000);
}

void JobProgressWindow::ShowProgress(const jobs::JobProgress& progress) {
    m_last = progress;
    const jobs::JobProgressTexts texts = jobs::ProgressTexts(progress, m_totalWait, 0);
    m_line->SetLabel(ToWx(texts.line));
    m_loops->SetLabel(ToWx(texts.loops));
    m_wait->SetLabel(ToWx(texts.waiting));
    m_bar->SetValue(texts.permille);
    ShowElapsed();
}

void JobProgressWindow::ShowElapsed() {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - m_start;
    m_elapsed->SetLabel(ToWx(jobs::ProgressTexts(m_last, m_totalWait, elapsed.count()).elapsed));
}

void JobProgressWindow::Ended(const std::string& outcome) {
    ShowElapsed();
    m_clock.Stop();
    m_ended = true;
    m_wait->SetLabel(wxString());
    m_outcome->SetLabel(ToWx(outcome));
    m_button->SetLabel("Close");
}

void JobProgressWindow::OnButton(wxCommandEvent&) {
    if (m_ended) {
        Destroy();
        return;
    }
    m_stop();
    m_button->Disable();
    m_outcome->SetLabel("Stopping...");
}

// Closing a running job's window is a Stop; the window stays to say how it ended.
void JobProgressWindow::OnClose(wxCloseEvent& event) {
    if (m_ended || !event.CanVeto()) {
        Destroy();
        return;
    }
    event.Veto();
    wxCommandEvent press;
    OnButton(press);
}

}  // namespace qv

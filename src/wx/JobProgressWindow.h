#pragma once

#include <chrono>
#include <functional>
#include <string>

#include <wx/frame.h>
#include <wx/timer.h>

#include "jobs/JobProgress.h"

class wxButton;
class wxGauge;
class wxStaticText;

namespace qv {

// The modeless window of a job run from the desktop: the job's name, the line
// running, the loop counters, the elapsed time, the time left of a wait, and a
// bar over the job's total waiting time. Stop asks the job to end after the
// running operation; once the job has ended the button closes the window.
class JobProgressWindow : public wxFrame {
public:
    JobProgressWindow(wxWindow* owner, const std::string& jobName, double totalWaitSeconds,
                      std::function<void()> stop);

    void ShowProgress(const jobs::JobProgress& progress);
    // The job has ended: outcome says how ("Done", "Stopped after line 7", ...).
    void Ended(const std::string& outcome);

private:
    void ShowElapsed();
    void OnButton(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    double m_totalWait;
    std::function<void()> m_stop;
    std::chrono::steady_clock::time_point m_start;
    jobs::JobProgress m_last;
    bool m_ended = false;
    wxStaticText* m_line;
    wxStaticText* m_loops;
    wxStaticText* m_elapsed;
    wxStaticText* m_wait;
    wxStaticText* m_outcome;
    wxGauge* m_bar;
    wxButton* m_button;
    wxTimer m_clock;
};

}  // namespace qv

#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include <wx/weakref.h>

#include "JobProgressWindow.h"
#include "jobs/JobScript.h"

class wxWindow;

namespace qv {

class CQvApp;
class Ui;
class WxUi;

// File > Run Job...: a job file checked, then run in the desktop's own
// document, so the view, the remark and the data parameters show the run.
//
// The job runs on the UI thread, and the event loop runs inside it whenever
// the runner looks for a stop request: between operations and every 50 ms of
// a wait. Every card and document access thus stays on one thread, serialised
// with the views, auto-refresh and the count-rate window without locks; only
// a single operation (an editor's transfer, a capture, a save) holds the loop,
// for as long as it does when the operator clicks it.
class DesktopJob {
public:
    // cardSpeed: card seconds per host second (the virtual card's --sim-speed).
    // log: qv --log; without it the job's captures are logged beside the job
    // file as JOBNAME.log.csv, as qvtool job does.
    // shown: told after every operation, to show what it captured or saved.
    DesktopJob(CQvApp& app, WxUi& ui, wxWindow* owner, unsigned cardSpeed,
               std::optional<std::string> log, std::function<void()> shown);

    // Asks for a job file and runs it; returns when the job has ended.
    void ChooseAndRun();
    void Run(const std::string& path);
    bool Running() const { return m_running; }
    // Ends the running job after its running operation; a wait ends at once.
    void Stop() { m_stopRequested = true; }

private:
    bool PumpEvents();
    int RunChecked(const std::string& path, const jobs::JobScript& script, std::ostream& messages);
    void Ended(int status, const std::string& messages);

    CQvApp& m_app;
    WxUi& m_ui;
    wxWindow* m_owner;
    unsigned m_cardSpeed;
    std::optional<std::string> m_log;
    std::function<void()> m_shown;
    Ui* m_jobUi = nullptr;  // while the job runs
    bool m_running = false;
    bool m_stopRequested = false;
    wxWeakRef<JobProgressWindow> m_window;
};

}  // namespace qv

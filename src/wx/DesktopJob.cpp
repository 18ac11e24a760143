#include "DesktopJob.h"

#include <sstream>

#include <wx/evtloop.h>

#include "WxUi.h"
#include "app/QvApplication.h"
#include "document/QvDoc.h"
#include "jobs/JobClock.h"
#include "jobs/JobFile.h"
#include "jobs/JobRunner.h"
#include "jobs/JobUi.h"

namespace qv {

namespace {

constexpr const char* kCaption = "Run Job";

std::string LastLine(const std::string& text) {
    const std::string trimmed = text.substr(0, text.find_last_not_of('\n') + 1);
    return trimmed.substr(trimmed.find_last_of('\n') + 1);
}

}  // namespace

DesktopJob::DesktopJob(CQvApp& app, WxUi& ui, wxWindow* owner, unsigned cardSpeed,
                       std::optional<std::string> log, std::function<void()> shown)
    : m_app(app),
      m_ui(ui),
      m_owner(owner),
      m_cardSpeed(cardSpeed),
      m_log(std::move(log)),
      m_shown(std::move(shown)) {}

void DesktopJob::ChooseAndRun() {
    FileDialogRequest request;
    request.filter = "Job Files (*.job)|*.job|All Files (*.*)|*.*||";
    request.defaultExtension = "job";
    request.flags = kHideReadOnly;
    request.title = kCaption;
    if (const auto chosen = m_ui.ChooseFile(request)) {
        Run(*chosen);
    }
}

// Checked whole before anything runs, with qvtool's words, naming the line.
void DesktopJob::Run(const std::string& path) {
    const jobs::JobFileReading reading = jobs::ReadJobFile(path);
    const jobs::JobScript script =
        reading.error.empty() ? jobs::ParseJob(reading.lines) : jobs::JobScript{{}, reading.error};
    if (!script.error.empty()) {
        m_ui.Message(script.error, kCaption, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    std::ostringstream messages;
    const int status = RunChecked(path, script, messages);
    m_shown();
    Ended(status, messages.str());
}

int DesktopJob::RunChecked(const std::string& path, const jobs::JobScript& script,
                           std::ostream& messages) {
    jobs::JobUi jobUi(messages);
    jobs::JobClock clock(false);
    CQvDoc& doc = m_app.Document();
    jobs::JobContext context{doc, jobUi, clock, m_cardSpeed, [this] { return PumpEvents(); }};
    // The reports qvtool prints are left out: the window and the view show the run.
    std::ostringstream reports;
    jobs::JobRunner runner(context, reports, messages, false, "");
    // One window: that of the last job goes when the next starts.
    if (m_window)
        m_window->Destroy();
    m_window = new JobProgressWindow(m_owner, jobs::JobName(path), jobs::TotalWaitSeconds(script),
                                     [this] { Stop(); });
    m_window->Show();
    // Told before every operation, so a new line means the last one ended.
    int lastLine = 0;
    runner.SetProgress([this, &lastLine](const jobs::JobProgress& progress) {
        if (progress.number != lastLine)
            m_shown();
        lastLine = progress.number;
        if (m_window)
            m_window->ShowProgress(progress);
    });
    doc.SetRunLogPath(m_log ? m_log : jobs::JobRunLogPath(path));
    m_running = true;
    m_stopRequested = false;
    m_jobUi = &jobUi;
    m_ui.SetStandIn(&jobUi);
    const int status = runner.Run(script);
    m_ui.SetStandIn(nullptr);
    m_jobUi = nullptr;
    m_running = false;
    doc.SetRunLogPath(m_log);
    return status;
}

// The operator's own boxes and dialogs are real while the loop runs.
bool DesktopJob::PumpEvents() {
    m_ui.SetStandIn(nullptr);
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
        loop->YieldFor(wxEVT_CATEGORY_ALL);
    m_ui.SetStandIn(m_jobUi);
    return m_stopRequested;
}

// A failure is shown with every message the job's line gave; what was saved stays.
void DesktopJob::Ended(int status, const std::string& messages) {
    std::string outcome = "Done";
    if (status == jobs::kJobStopped) {
        outcome = "Stopped: " + LastLine(messages);
    } else if (status != jobs::kJobDone) {
        outcome = "Failed: " + LastLine(messages);
        m_ui.Message(messages, kCaption, MsgButtons::Ok, MsgIcon::Exclamation);
    }
    if (m_window)
        m_window->Ended(outcome);
}

}  // namespace qv

// File > Run Job... on the virtual card: docs/jobs/hv-plateau.job runs in the
// desktop's document while the progress window follows it and the Settings
// editors are disabled; a second run is stopped in a wait and keeps the files
// saved before it whole. With a folder in QV_PICTURES it keeps a picture of
// the progress window.
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/image.h>
#include <wx/stattext.h>

#include "CheckedApp.h"
#include "GuiChecks.h"
#include "JobProgressWindow.h"
#include "MainFrame.h"
#include "MainWindowDriving.h"
#include "MainWindowStart.h"
#include "WxCommandIds.h"
#include "WxUi.h"
#include "app/CommandIds.h"
#include "app/QvApplication.h"
#include "framework/SettingsStore.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr int kTestTimer = 78;
// The job's waits are 1350 card seconds: about two real seconds.
constexpr std::uint32_t kSimulationSpeed = 600;

// The file dialog answers with the job prepared for it.
class JobFileUi : public WxUi {
public:
    fs::path job;

protected:
    std::optional<std::string> RunFileDialog(const FileDialogRequest&,
                                             const std::string&) override {
        return job.string();
    }
};

JobProgressWindow* ProgressWindow() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* progress = dynamic_cast<JobProgressWindow*>(window);
            progress && !progress->IsBeingDeleted())
            return progress;
    return nullptr;
}

template <class Control>
std::vector<Control*> ControlsOf(wxWindow& window) {
    std::vector<Control*> found;
    for (wxWindow* child : window.GetChildren()) {
        if (auto* control = dynamic_cast<Control*>(child))
            found.push_back(control);
        for (Control* inner : ControlsOf<Control>(*child))
            found.push_back(inner);
    }
    return found;
}

std::vector<std::string> Labels(wxWindow& window) {
    std::vector<std::string> labels;
    for (wxStaticText* text : ControlsOf<wxStaticText>(window))
        labels.push_back(text->GetLabel().utf8_string());
    return labels;
}

std::string PlateauFile(int step) {
    return "plateau-" + std::to_string(step) + "00.qv";
}

class JobGuiApp : public test::CheckedApp<wxApp> {
public:
    bool OnInit() override;

private:
    void RunChecks();
    void WholeRun();
    void StoppedRun();
    bool Enabled(int command);
    void Command(int id);

    MemorySettingsStore m_settings;
    JobFileUi m_ui;
    std::unique_ptr<CQvApp> m_app;
    CMainFrame* m_frame = nullptr;
    fs::path m_folder;
    std::uintmax_t m_wholeSize = 0;
};

bool JobGuiApp::OnInit() {
    test::InstallGuiTestGuards(std::chrono::seconds(60));
    wxInitAllImageHandlers();
    m_folder = fs::temp_directory_path() / ("qv-job-gui-" + std::to_string(getpid()));
    fs::create_directories(m_folder);
    fs::copy_file(fs::path(QV_SOURCE_DIR) / "docs/jobs/hv-plateau.job",
                  m_folder / "hv-plateau.job");
    m_ui.job = m_folder / "hv-plateau.job";
    // The job's files are named relative to the working folder, as with qvtool job.
    fs::current_path(m_folder);
    m_app = std::make_unique<CQvApp>(m_ui, m_settings, test::VirtualCardOptions(kSimulationSpeed));
    m_frame = test::StartMainWindow(*this, *m_app, m_ui);
    if (!m_frame)
        return false;
    m_frame->SetJobOptions(kSimulationSpeed, std::nullopt);
    CallAfter([this] {
        RunChecks();
        m_app->Document().SetModifiedFlag(false);
        m_frame->Close(true);
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(m_folder);
    });
    return true;
}

void JobGuiApp::Command(int id) {
    test::SendCommand(*m_frame, id);
}

bool JobGuiApp::Enabled(int command) {
    wxUpdateUIEvent event(ToWxId(command));
    m_frame->ProcessWindowEvent(event);
    return event.GetEnabled();
}

void JobGuiApp::RunChecks() {
    WholeRun();
    StoppedRun();
}

void JobGuiApp::WholeRun() {
    std::set<int> bars;
    std::set<std::string> lines;
    bool fighting = false, viewing = true, kept = false;
    m_ui.SetTimer(kTestTimer, 40, [&] {
        JobProgressWindow* window = ProgressWindow();
        if (!window)
            return;
        bars.insert(ControlsOf<wxGauge>(*window).at(0)->GetValue());
        // Sampled in the waits, when the runner lets the event loop run.
        lines.insert(Labels(*window).at(1) + " | " + Labels(*window).at(2));
        fighting |= Enabled(ID_SET_HIGH_VOLTAGE) || Enabled(ID_CLEAR_RUN) ||
                    Enabled(ID_FILE_OPEN) || Enabled(ID_RUN_JOB);
        viewing &= Enabled(ID_AUTO_REFRESH) && Enabled(ID_PULSE_RATE);
        const char* folder = std::getenv("QV_PICTURES");
        if (folder && !kept && Labels(*window).at(1) == "Line 20: wait 60" &&
            Labels(*window).at(2) == "Loop 4 of 9") {
            kept = true;
            // The whole screen, as the operator sees the run.
            window->Raise();
            window->Update();  // inside the runner's yield, where Yield does nothing
            const fs::path picture = fs::path(folder) / "job-progress.png";
            Check(std::system(("import -window root " + picture.string()).c_str()) == 0,
                  picture.string());
        }
    });
    Command(ID_RUN_JOB);
    m_ui.KillTimer(kTestTimer);
    JobProgressWindow* window = ProgressWindow();
    Check(window && Labels(*window).at(0) == "Job: hv-plateau", "the window names the job");
    Check(window && Labels(*window).at(5) == "Done", "the job ran to its end");
    Check(window && ControlsOf<wxGauge>(*window).at(0)->GetValue() == 1000,
          "the bar is full at the end");
    Check(bars.size() > 5, "the bar advanced through the waits");
    Check(lines.count("Line 16: wait 90 | Loop 1 of 9") &&
              lines.count("Line 20: wait 60 | Loop 9 of 9"),
          "the window shows the running line with its loop counter");
    Check(!fighting, "the editors, Clear/count, Open and Run Job are disabled while it runs");
    Check(viewing, "auto-refresh and the count-rate window stay enabled");
    Check(Enabled(ID_SET_HIGH_VOLTAGE) && Enabled(ID_RUN_JOB), "they come back after the job");
    for (int step = 1; step <= 9; ++step)
        Check(fs::exists(PlateauFile(step)), PlateauFile(step) + " was saved");
    Check(fs::exists("hv-plateau.log.csv"), "the run log is beside the job");
    m_wholeSize = fs::exists(PlateauFile(2)) ? fs::file_size(PlateauFile(2)) : 0;
}

// Stop in the counting wait of the third step: the two saved files stay
// whole, the third is never written.
void JobGuiApp::StoppedRun() {
    for (int step = 1; step <= 9; ++step)
        fs::remove(PlateauFile(step));
    bool pressed = false;
    m_ui.SetTimer(kTestTimer, 20, [&] {
        JobProgressWindow* window = ProgressWindow();
        if (!window || pressed)
            return;
        const auto labels = Labels(*window);
        if (labels.at(1) == "Line 20: wait 60" && labels.at(2) == "Loop 3 of 9") {
            pressed = true;
            wxButton* stop = ControlsOf<wxButton>(*window).at(0);
            wxCommandEvent press(wxEVT_BUTTON, stop->GetId());
            press.SetEventObject(stop);
            stop->ProcessWindowEvent(press);
        }
    });
    Command(ID_RUN_JOB);
    m_ui.KillTimer(kTestTimer);
    Check(pressed, "Stop was pressed in the third step's wait");
    JobProgressWindow* window = ProgressWindow();
    Check(window && Labels(*window).at(5) == "Stopped: stopped after line 20",
          "the window says where the job stopped");
    Check(fs::exists(PlateauFile(2)) && fs::file_size(PlateauFile(2)) == m_wholeSize,
          "the last file saved is whole");
    Check(!fs::exists(PlateauFile(3)), "nothing was saved after the stop");
}

}  // namespace
}  // namespace qv

wxIMPLEMENT_APP_NO_MAIN(qv::JobGuiApp);

int main(int argc, char** argv) {
    return wxEntry(argc, argv);
}

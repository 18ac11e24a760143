// qv killed while autosaving, then started again on a private profile: the
// one offer to go on, answered Yes, reopens the file with autosave on as it
// was, and the card, left counting, is neither cleared nor restarted.
//
// The program runs twice: as "--autosaving FOLDER" it saves a measurement,
// switches autosave on in suspend mode, says so on its output and waits to be
// killed; the first run starts it, kills it with SIGKILL and then plays the
// start after the crash itself.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

#include <wx/app.h>
#include <wx/toolbar.h>

#include <sys/wait.h>
#include <unistd.h>

#include "CheckedApp.h"
#include "DialogWindow.h"
#include "GuiChecks.h"
#include "MainFrame.h"
#include "MainWindowDriving.h"
#include "MainWindowStart.h"
#include "ScriptedUi.h"
#include "SpectrumWindow.h"
#include "ToolkitApp.h"
#include "WindowDriver.h"
#include "WxCommandIds.h"
#include "WxSettingsStore.h"
#include "app/QvApplication.h"
#include "document/CommandIds.h"
#include "editors/ClearRunTemplate.h"
#include "framework/FrameworkIds.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv {
namespace {

constexpr char kAutosavingRole[] = "--autosaving";
constexpr char kAutosavingLine[] = "autosaving";

std::filesystem::path g_folder;
bool g_autosavingRole = false;

using test::Settle;

std::uint64_t CardTotal(VirtualSpectrometer& card) {
    std::uint64_t total = 0;
    for (const std::uint32_t count : card.Card().Memories().aa)
        total += count;
    return total;
}

class ResumeApp : public test::CheckedApp<ToolkitApp> {
public:
    bool OnInit() override;

private:
    void Command(int id);
    void SwitchAutoSaveOnAndWait();
    void ResumeAfterTheKill();
    void StartCounting();
    bool ToolPressed(int id);

    WxSettingsStore m_settings{kRegistryKey, kAppName};
    test::ScriptedUi m_ui;
    std::unique_ptr<CQvApp> m_app;
    CMainFrame* m_frame = nullptr;
};

bool ResumeApp::OnInit() {
    test::InstallGuiTestGuards(std::chrono::seconds(60));
    // Real time on the card: a clear would show as fewer counts than before.
    m_app = std::make_unique<CQvApp>(m_ui, m_settings, test::VirtualCardOptions(1));
    m_frame = test::StartMainWindow(*this, *m_app, m_ui);
    if (!m_frame)
        return false;
    CallAfter([this] {
        if (g_autosavingRole) {
            SwitchAutoSaveOnAndWait();
            return;
        }
        ResumeAfterTheKill();
        m_app->Document().SetModifiedFlag(false);
        m_frame->Close(true);
    });
    return true;
}

void ResumeApp::Command(int id) {
    test::SendCommand(*m_frame, id);
}

bool ResumeApp::ToolPressed(int id) {
    m_frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    return m_frame->GetToolBar()->GetToolState(ToWxId(id));
}

// The qv that is killed: never ends by itself.
void ResumeApp::SwitchAutoSaveOnAndWait() {
    Command(ID_REFRESH);
    m_ui.files.push_back((g_folder / "run.qv").string());
    Command(ID_FILE_SAVE_AS);
    m_ui.answers = {wxID_YES, wxID_YES, wxID_OK};  // the warning, suspend, its reminder
    Command(ID_AUTO_SAVE);
    std::cout << kAutosavingLine << std::endl;
}

// The card kept counting while qv was gone.
// Plays the clear/run panel from a timer once it is open.
void ResumeApp::StartCounting() {
    constexpr int kPlayTimer = 79;
    bool played = false;
    m_ui.SetTimer(kPlayTimer, 100, [this, &played] {
        auto* window = test::OpenModalDialog();
        if (window == nullptr || played)
            return;
        played = true;
        test::WindowDriver d(*window, m_verdict);
        for (int id : {IDC_ENABLE_GO_AA, IDC_COUNT_AA})
            d.Click(id);
        d.Click(IDC_RUN_GO);
        d.Click(IDCANCEL);
    });
    Command(ID_CLEAR_RUN);
    m_ui.KillTimer(kPlayTimer);
    Check(played, "the card set counting");
}

void ResumeApp::ResumeAfterTheKill() {
    auto* card = dynamic_cast<VirtualSpectrometer*>(&m_app->Card()->Bus());
    Check(card != nullptr, "the virtual card is reachable");
    if (card == nullptr)
        return;
    StartCounting();
    Settle(std::chrono::milliseconds(2000));
    const std::uint64_t countedBefore = CardTotal(*card);
    const auto runBefore = card->Card().Run().State();

    m_ui.boxes.clear();
    m_ui.answers = {wxID_YES};
    const auto run = m_app->ReopenRun(false);
    const std::string file = (g_folder / "run.qv").string();
    Check(
        m_ui.boxes.size() == 1 && m_ui.boxes.front().text == "qv ended while autosaving " + file +
                                                                 ". Open it and go on autosaving?",
        "one offer to go on, naming the file");
    Check(run.has_value(), "Yes goes on with the run");
    if (!run)
        return;
    m_frame->View()->View().ResumeRun(*run);
    Check(m_app->Document().GetPathName() == file, "the file is open again");
    CQvView& view = m_frame->View()->View();
    Check(view.IsAutoSaveOn() && view.IsSuspendOnSave(), "autosave on in suspend mode again");
    Check(ToolPressed(ID_AUTO_SAVE) && !ToolPressed(ID_AUTO_REFRESH),
          "the autosave button pressed, auto-refresh up as it was");
    Check(m_ui.boxes.size() == 1, "autosave asked nothing again");

    Settle(std::chrono::milliseconds(1700));  // a tick of the view
    const std::uint64_t countedAfter = CardTotal(*card);
    std::cout << "Aa counts " << countedBefore << " before, " << countedAfter << " after\n";
    Check(countedAfter > countedBefore, "the card counted on from where it was");
    Check(card->Card().Run().State() == runBefore && !card->Card().Run().Clearing(sim::Memory::Aa),
          "the card's run was left as it was");
    Check(m_app->Run().Recall() == *run, "the profile keeps the run while autosave is on");
    m_app->Document().SetModifiedFlag(false);
    Check(m_app->CanExit() && !m_app->Run().Recall(), "a clean exit forgets the run");
}

// Starts this program in the killed role and kills it once it autosaves.
bool KillAnAutosavingQv(const char* self) {
    int out[2];
    if (pipe(out) != 0)
        return false;
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(self, self, kAutosavingRole, g_folder.c_str(), nullptr);
        _exit(127);
    }
    close(out[1]);
    FILE* lines = fdopen(out[0], "r");
    char line[256] = {};
    bool autosaving = false;
    while (!autosaving && std::fgets(line, sizeof line, lines) != nullptr)
        autosaving = std::strncmp(line, kAutosavingLine, std::strlen(kAutosavingLine)) == 0;
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    std::fclose(lines);
    return autosaving && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

}  // namespace
}  // namespace qv

wxIMPLEMENT_APP_NO_MAIN(qv::ResumeApp);

int main(int argc, char** argv) {
    using namespace qv;
    if (argc == 3 && std::strcmp(argv[1], kAutosavingRole) == 0) {
        g_autosavingRole = true;
        g_folder = argv[2];
        int one = 1;
        return wxEntry(one, argv);
    }
    // A private profile for both runs.
    g_folder = std::filesystem::temp_directory_path() / ("qv-resume-" + std::to_string(getpid()));
    std::filesystem::create_directories(g_folder);
    setenv("XDG_CONFIG_HOME", g_folder.c_str(), 1);
    setenv("HOME", g_folder.c_str(), 1);
    if (!KillAnAutosavingQv(argv[0])) {
        std::cerr << "the autosaving qv did not come up\n";
        std::filesystem::remove_all(g_folder);
        return 1;
    }
    const int verdict = wxEntry(argc, argv);
    std::filesystem::remove_all(g_folder);
    return verdict;
}

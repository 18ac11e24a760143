// Starts the desktop front end on a virtual display and checks what the
// operator sees first: caption, menus, toolbar, status text, the About box,
// timers inside modal loops, and File Open changing the caption.
#include <dlfcn.h>
#include "GuiChecks.h"

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <iostream>
#include <thread>
#include <vector>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "MainFrame.h"
#include "WxCommandIds.h"
#include "WxText.h"
#include "WxUi.h"
#include "app/CommandIds.h"
#include "app/QvApplication.h"
#include "framework/DialogTemplate.h"
#include "framework/SettingsStore.h"

namespace qv {
namespace {

constexpr int kTestTimer = 77;

// File dialogs answer from a queue; message boxes can be answered by a tick.
class ScriptedUi : public WxUi {
public:
    std::deque<std::string> files;
    wxMessageDialog* openBox = nullptr;

    std::optional<std::string> ChooseFile(const FileDialogRequest&) override {
        if (files.empty())
            return std::nullopt;
        std::string path = files.front();
        files.pop_front();
        return path;
    }

protected:
    int ShowBox(wxMessageDialog& box) override {
        openBox = &box;
        const int answer = WxUi::ShowBox(box);
        openBox = nullptr;
        return answer;
    }
};

// The native box runs GTK's own loop; answer it the way its OK button does.
void AnswerOk(wxMessageDialog& box) {
    using Respond = void (*)(void*, int);
    constexpr int kGtkResponseOk = -5;
    if (auto respond = reinterpret_cast<Respond>(dlsym(RTLD_DEFAULT, "gtk_dialog_response")))
        respond(box.m_widget, kGtkResponseOk);
}

wxDialog* OpenModalDialog() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal())
            return dialog;
    return nullptr;
}

class SmokeApp : public wxApp {
public:
    bool OnInit() override;
    int OnRun() override {
        wxApp::OnRun();
        return m_verdict.Verdict();
    }

private:
    void Check(bool ok, const std::string& what) { m_verdict.Check(ok, what); }
    void RunChecks();
    void CheckMenus();
    void CheckToolbar();
    void CheckAboutBoxWithTimer();
    void CheckMessageBoxWithTimer();
    void CheckFileOpen();
    void Command(int id);
    std::string MakeDataFile();

    MemorySettingsStore m_settings;
    ScriptedUi m_ui;
    std::unique_ptr<CQvApp> m_app;
    CMainFrame* m_frame = nullptr;
    test::GuiChecks m_verdict;
    std::filesystem::path m_folder;
};

bool SmokeApp::OnInit() {
    test::InstallGuiTestGuards(std::chrono::seconds(40));
    m_app = std::make_unique<CQvApp>(m_ui, m_settings,
                                     CQvApp::Options{std::string(QV_TEST_HDW), {}, false});
    if (!m_app->InitInstance(std::nullopt))
        return false;
    m_frame = new CMainFrame(*m_app, m_ui);
    m_app->SetDocumentChangedHandler(
        [this](DocumentChange change) { m_frame->DocumentChanged(change); });
    SetTopWindow(m_frame);
    m_frame->Show();
    CallAfter([this] { RunChecks(); });
    return true;
}

void SmokeApp::Command(int id) {
    wxCommandEvent event(wxEVT_MENU, ToWxId(id));
    event.SetEventObject(m_frame);
    m_frame->ProcessWindowEvent(event);
}

void SmokeApp::RunChecks() {
    Check(FromWx(m_frame->GetTitle()) == "Untitled - qv", "caption of a new document");
    Check(FromWx(m_frame->GetStatusBar()->GetStatusText()) == "Ready", "idle status text");
    Check(m_frame->GetStatusBar()->GetFieldsCount() == 1, "one status pane");
    CheckMenus();
    CheckToolbar();
    CheckAboutBoxWithTimer();
    CheckMessageBoxWithTimer();
    CheckFileOpen();
    m_frame->Close(true);
}

void SmokeApp::CheckMenus() {
    const std::vector<std::string> titles = {"&File", "&Settings", "&View", "&Help", "Se&rvice"};
    const wxMenuBar* bar = m_frame->GetMenuBar();
    Check(bar->GetMenuCount() == titles.size(), "five menus");
    for (size_t i = 0; i < titles.size() && i < bar->GetMenuCount(); ++i)
        Check(FromWx(bar->GetMenuLabel(i)) == titles[i], "menu title " + titles[i]);
    const std::vector<std::pair<int, std::string>> items = {
        {ID_FILE_NEW, "&New\tCtrl+N"},
        {ID_FILE_OPEN, "&Open...\tCtrl+O"},
        {ID_FILE_SAVE, "&Save\tCtrl+S"},
        {ID_FILE_SAVE_AS, "Save &As..."},
        {ID_FILE_EXPORT, "&Export"},
        {ID_FILE_MRU_FILE1, "Recent File"},
        {ID_APP_EXIT, "E&xit"},
        {ID_CLEAR_RUN, "Clear, &start/stop Counters"},
        {ID_SET_COUNTERS_TIMERS, "Set &Counters Timers"},
        {ID_SET_ANALOGUE, "Set &Analogue block"},
        {ID_SET_HIGH_VOLTAGE, "Set &High voltage"},
        {ID_SET_VIBRATOR, "Set &Vibrator"},
        {ID_SET_AUX_DAC, "Set Auxiliary bytes, &DAC"},
        {ID_HARDWARE_INFO, "Hardware &info"},
        {ID_PULSE_RATE, "Qv &Pulses/sec"},
        {ID_VIEW_TOOLBAR, "&Toolbar"},
        {ID_VIEW_STATUS_BAR, "&Status Bar"},
        {ID_DATA_REMARK, "Data&Remark"},
        {ID_MEASURE_DATA, "&Measure Data"},
        {ID_APP_ABOUT, "&About qv..."},
        {ID_SLIDER_ADJUST, "&Slider Adjust"},
    };
    for (const auto& [id, text] : items) {
        const wxMenuItem* item = bar->FindItem(ToWxId(id));
        Check(item && FromWx(item->GetItemLabel()) == text, "menu item " + text);
    }
    const wxMenuItem* placeholder = bar->FindItem(ToWxId(ID_FILE_MRU_FILE1));
    Check(placeholder && !placeholder->IsEnabled(), "empty recent-file list is disabled");
    Check(FromWx(bar->FindItem(ToWxId(ID_SET_ANALOGUE))->GetHelp()) ==
              "Set Analogue Block Parameters",
          "status prompt of a menu item");
}

void SmokeApp::CheckToolbar() {
    const std::vector<int> expected = {
        ID_FILE_NEW, ID_FILE_OPEN,    ID_FILE_SAVE,    ID_AUTO_SAVE,
        0,           ID_EDIT_CUT,     ID_EDIT_COPY,    ID_EDIT_PASTE,
        0,           ID_DATA_REMARK,  ID_MEASURE_DATA, ID_TOGGLE_ZOOM,
        ID_REFRESH,  ID_AUTO_REFRESH, ID_APP_ABOUT};
    wxToolBar* bar = m_frame->GetToolBar();
    std::vector<int> ids;
    for (size_t i = 0; i < bar->GetToolsCount(); ++i) {
        const wxToolBarToolBase* tool = bar->GetToolByPos(int(i));
        ids.push_back(tool->IsSeparator() ? 0 : ToCommand(tool->GetId()));
    }
    Check(ids == expected, "toolbar ids in order");
    Check(FromWx(bar->GetToolShortHelp(ToWxId(ID_REFRESH))) == "Refresh from hardware", "tooltip");
    Check(FromWx(bar->GetToolLongHelp(ToWxId(ID_AUTO_SAVE))) == "AutoSave at period: SetGCT.BackUp",
          "fly-by prompt of a tool");
    m_frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    Check(!bar->GetToolEnabled(ToWxId(ID_EDIT_CUT)), "Cut has no handler and is disabled");
    Check(!bar->GetToolEnabled(ToWxId(ID_EDIT_PASTE)), "Paste has no handler and is disabled");
    Check(bar->GetToolEnabled(ToWxId(ID_APP_ABOUT)), "About is enabled");
}

// The About box stays open until a timer tick presses its OK button.
void SmokeApp::CheckAboutBoxWithTimer() {
    int ticks = 0;
    std::string caption, label, button;
    m_ui.SetTimer(kTestTimer, 30, [&] {
        wxDialog* about = OpenModalDialog();
        if (!about || ++ticks < 3)
            return;
        caption = FromWx(about->GetTitle());
        for (wxWindow* child : about->GetChildren())
            if (dynamic_cast<wxStaticText*>(child))
                label = FromWx(child->GetLabel());
        wxWindow* ok = about->FindWindow(IDOK);
        button = ok ? FromWx(ok->GetLabel()) : "";
        wxCommandEvent click(wxEVT_BUTTON, IDOK);
        click.SetEventObject(ok);
        if (ok)
            ok->ProcessWindowEvent(click);
    });
    Command(ID_APP_ABOUT);
    m_ui.KillTimer(kTestTimer);
    Check(ticks >= 3, "timer ticks while the About box is open");
    Check(caption == "About qv", "About caption");
    Check(label == "qv Version 1.0", "About text");
    Check(button == "OK", "About button");
    Check(OpenModalDialog() == nullptr, "About box closed by its OK button");
}

void SmokeApp::CheckMessageBoxWithTimer() {
    int ticks = 0;
    m_ui.SetTimer(kTestTimer, 30, [&] {
        if (m_ui.openBox && ++ticks >= 3)
            AnswerOk(*m_ui.openBox);
    });
    const MsgResult answer = m_ui.Message("Timer check", "qv test");
    m_ui.KillTimer(kTestTimer);
    Check(ticks >= 3, "timer ticks while a message box is open");
    Check(answer == MsgResult::Ok, "message box answered OK");
}

std::string SmokeApp::MakeDataFile() {
    m_folder =
        std::filesystem::temp_directory_path() / ("qv-gui-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
    const auto path = (m_folder / "sample.qv").string();
    CQvDoc document(m_ui, std::string(QV_TEST_HDW));
    document.OnNewDocument();
    document.OnSaveDocument(path);
    return path;
}

void SmokeApp::CheckFileOpen() {
    const std::string path = MakeDataFile();
    m_ui.files.push_back(path);
    Command(ID_FILE_OPEN);
    Check(FromWx(m_frame->GetTitle()) == "sample.qv - qv", "caption after File Open");
    const wxMenuItem* recent = m_frame->GetMenuBar()->FindItem(ToWxId(ID_FILE_MRU_FILE1));
    Check(recent && FromWx(recent->GetItemLabel()).rfind("&1 ", 0) == 0,
          "opened file heads the recent-file list");
    std::filesystem::remove_all(m_folder);
}

}  // namespace
}  // namespace qv

wxIMPLEMENT_APP_NO_MAIN(qv::SmokeApp);

int main(int argc, char** argv) {
    return wxEntry(argc, argv);
}

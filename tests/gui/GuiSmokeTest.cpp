// Starts the desktop front end on a virtual display and checks what the
// operator sees first: caption, menus, toolbar, status text, the About box,
// timers inside modal loops, and File Open changing the caption.
#include "CheckedApp.h"
#include "GuiChecks.h"
#include "MainWindowDriving.h"

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
// The generic box builds on the declarations above.
#include <wx/generic/msgdlgg.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "DialogFont.h"
#include "MainFrame.h"
#include "ScreenPlacement.h"
#include "SpectrumWindow.h"
#include "ToolkitApp.h"
#include "WxCommandIds.h"
#include "WxText.h"
#include "WxUi.h"
#include "app/CommandIds.h"
#include "app/QvApplication.h"
#include "app/Resources.h"
#include "framework/DialogTemplate.h"
#include "framework/SettingsStore.h"

namespace qv {
namespace {

constexpr int kTestTimer = 77;

// File dialogs answer from a queue and remember the folder they started in;
// message boxes can be answered by a tick.
class ScriptedUi : public WxUi {
public:
    std::deque<std::string> files;
    std::vector<std::string> startFolders;
    wxGenericMessageDialog* openBox = nullptr;

protected:
    std::optional<std::string> RunFileDialog(const FileDialogRequest&,
                                             const std::string& folder) override {
        startFolders.push_back(folder);
        if (files.empty())
            return std::nullopt;
        std::string path = files.front();
        files.pop_front();
        return path;
    }
    int ShowBox(wxGenericMessageDialog& box) override {
        openBox = &box;
        const int answer = WxUi::ShowBox(box);
        openBox = nullptr;
        return answer;
    }
};

void AnswerOk(wxGenericMessageDialog& box) {
    box.EndModal(wxID_OK);
}

wxDialog* OpenModalDialog() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal())
            return dialog;
    return nullptr;
}

class SmokeApp : public test::CheckedApp<ToolkitApp> {
public:
    bool OnInit() override;

private:
    void RunChecks();
    void CheckMenus();
    void CheckToolbar();
    void CheckAboutBoxWithTimer();
    void CheckMessageBoxWithTimer();
    void CheckFileOpen();
    void CheckMessageBoxIcons();
    void CheckAccelerators();
    void CheckPanelKeepsOffTheKeyboard();
    void CheckPlacement();
    void CheckClassicScrollBars();
    void Command(int id);
    void Pump(int ms);
    wxWindow* Panel();
    bool PressIn(wxWindow* window, unsigned modifiers, int key);
    std::string MakeDataFile();

    MemorySettingsStore m_settings;
    ScriptedUi m_ui;
    std::unique_ptr<CQvApp> m_app;
    CMainFrame* m_frame = nullptr;
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
    // Shown before its owner, a panel would have GTK allocate the main window too early.
    Check(Panel() && !Panel()->IsShown(), "the panel waits for the main window");
    m_frame->Show();
    CallAfter([this] { RunChecks(); });
    return true;
}

void SmokeApp::Command(int id) {
    test::SendCommand(*m_frame, id);
}

void SmokeApp::RunChecks() {
    Check(FromWx(m_frame->GetTitle()) == "Untitled - qv", "caption of a new document");
    Check(FromWx(m_frame->GetStatusBar()->GetStatusText()) == "Ready", "idle status text");
    Check(m_frame->GetStatusBar()->GetFieldsCount() == 1, "one status pane");
    CheckMenus();
    CheckToolbar();
    CheckAboutBoxWithTimer();
    CheckMessageBoxWithTimer();
    CheckMessageBoxIcons();
    CheckAccelerators();
    CheckPanelKeepsOffTheKeyboard();
    CheckPlacement();
    CheckClassicScrollBars();
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
        ID_FILE_NEW, ID_FILE_OPEN,    ID_FILE_SAVE,         ID_AUTO_SAVE,
        0,           ID_EDIT_CUT,     ID_EDIT_COPY,         ID_EDIT_PASTE,
        0,           ID_DATA_REMARK,  ID_MEASURE_DATA,      ID_TOGGLE_ZOOM,
        ID_REFRESH,  ID_AUTO_REFRESH, ID_VELOCITY_SPECTRUM, ID_APP_ABOUT};
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
    wxRect aboutRect;
    wxFont aboutFont;
    wxStaticBitmap* icon = nullptr;
    bool iconOk = false, iconLeftOfText = false;
    const auto textLeft = [](wxWindow* dialog) {
        for (wxWindow* child : dialog->GetChildren())
            if (dynamic_cast<wxStaticText*>(child))
                return child->GetRect().x;
        return 0;
    };
    // The main window near the bottom right corner: the box must still be whole.
    const wxRect area = MainWorkArea();
    const wxPoint home = m_frame->GetPosition();
    m_frame->Move(area.GetRight() - 120, area.GetBottom() - 80);
    m_ui.SetTimer(kTestTimer, 30, [&] {
        wxDialog* about = OpenModalDialog();
        if (!about || ++ticks < 3)
            return;
        caption = FromWx(about->GetTitle());
        for (wxWindow* child : about->GetChildren())
            if (dynamic_cast<wxStaticText*>(child))
                label = FromWx(child->GetLabel());
        aboutRect = about->GetRect();
        aboutFont = about->GetFont();
        for (wxWindow* child : about->GetChildren())
            if (auto* picture = dynamic_cast<wxStaticBitmap*>(child))
                icon = picture;
        iconOk = icon && icon->GetBitmap().IsOk() && icon->GetBitmap().GetWidth() >= 16;
        iconLeftOfText = icon && icon->GetRect().GetRight() < textLeft(about);
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
    Check(aboutFont == MapDialogFont({"MS Sans Serif", 8}), "About box in the dialog font");
    Check(iconOk, "About box shows the program icon");
    Check(iconLeftOfText, "the icon stands left of the text");
    Check(area.Contains(aboutRect), "About box inside the work area");
    m_frame->Move(home);
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

void SmokeApp::Pump(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        wxYield();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

wxWindow* SmokeApp::Panel() {
    return m_ui.WindowOf(m_frame->View()->View().DataParams());
}

// A key as it reaches a window's key hook; true when somebody took it.
bool SmokeApp::PressIn(wxWindow* window, unsigned modifiers, int key) {
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = key;
    event.SetControlDown((modifiers & kCtrl) != 0);
    event.SetShiftDown((modifiers & kShift) != 0);
    event.SetAltDown((modifiers & kAlt) != 0);
    wxWindow* focus = window->GetChildren().empty() ? window : window->GetChildren().front();
    event.SetEventObject(focus);
    return window->GetEventHandler()->ProcessEvent(event);
}

// Every box shows the icon its request asks for, and none when it asks for none.
void SmokeApp::CheckMessageBoxIcons() {
    for (const MsgIcon icon : {MsgIcon::Exclamation, MsgIcon::Information, MsgIcon::Question,
                               MsgIcon::Error, MsgIcon::None}) {
        int pictures = -1;
        bool drawn = false;
        m_ui.SetTimer(kTestTimer, 30, [&] {
            if (!m_ui.openBox)
                return;
            pictures = 0;
            for (wxWindow* child : m_ui.openBox->GetChildren())
                if (auto* picture = dynamic_cast<wxStaticBitmap*>(child)) {
                    ++pictures;
                    drawn = picture->GetBitmap().IsOk() && picture->GetBitmap().GetWidth() == 32;
                }
            AnswerOk(*m_ui.openBox);
        });
        m_ui.Message("Incompatible file type or version.\nAbort.", "", MsgButtons::Ok, icon);
        m_ui.KillTimer(kTestTimer);
        const bool wanted = icon != MsgIcon::None;
        Check(pictures == (wanted ? 1 : 0) && drawn == wanted,
              "message box icon " + std::to_string(int(icon)));
    }
}

// The wx table carries every key of the accelerator resource to its command.
void SmokeApp::CheckAccelerators() {
    const wxAcceleratorTable* table = m_frame->GetAcceleratorTable();
    for (const Accelerator& a : MainAccelerators()) {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = a.key == kKeyBackspace ? WXK_BACK
                          : a.key == kKeyInsert  ? WXK_INSERT
                          : a.key == kKeyDelete  ? WXK_DELETE
                          : a.key == kKeyF6      ? WXK_F6
                                                 : a.key;
        event.SetControlDown((a.modifiers & kCtrl) != 0);
        event.SetShiftDown((a.modifiers & kShift) != 0);
        event.SetAltDown((a.modifiers & kAlt) != 0);
        Check(table->GetCommand(event) == ToWxId(a.command),
              "accelerator for command " + std::to_string(a.command));
    }
}

// New, Open and the shortcuts: the panel comes up without the keyboard, and
// Ctrl+N, Ctrl+O, Ctrl+S work from it too.
void SmokeApp::CheckPanelKeepsOffTheKeyboard() {
    m_frame->Raise();
    m_frame->SetFocus();
    Pump(150);
    Command(ID_FILE_NEW);
    Pump(300);
    wxWindow* panel = Panel();
    Check(panel && panel->IsShown(), "data parameters panel shown after New");
    const wxWindow* focus = wxWindow::FindFocus();
    Check(focus && wxGetTopLevelParent(const_cast<wxWindow*>(focus)) == m_frame,
          "the main window keeps the keyboard after New");
    if (!panel)
        return;
    const std::string path = MakeDataFile();
    m_ui.files.push_back(path);
    Check(PressIn(panel, kCtrl, 'O'), "Ctrl+O taken in the panel");
    Check(FromWx(m_frame->GetTitle()) == "sample.qv - qv", "Ctrl+O in the panel opens");
    Pump(200);
    focus = wxWindow::FindFocus();
    Check(focus && wxGetTopLevelParent(const_cast<wxWindow*>(focus)) == m_frame,
          "the main window keeps the keyboard after Open");
    Check(PressIn(panel, kCtrl, 'N'), "Ctrl+N taken in the panel");
    Check(FromWx(m_frame->GetTitle()) == "Untitled - qv", "Ctrl+N in the panel starts anew");
    const size_t dialogs = m_ui.startFolders.size();
    Check(PressIn(panel, kCtrl, 'S'), "Ctrl+S taken in the panel");
    Check(m_ui.startFolders.size() == dialogs + 1, "Ctrl+S in the panel saves (Save As)");
    Check(PressIn(m_frame, kCtrl, 'O') && m_ui.startFolders.size() == dialogs + 2,
          "Ctrl+O in the main window");
    Check(!PressIn(panel, kCtrl, 'C'), "Ctrl+C stays with the panel's edit boxes");
    std::filesystem::remove_all(m_folder);
}

// Panels and dialogs stay inside the work area of the main window's display.
void SmokeApp::CheckPlacement() {
    const wxRect area = MainWorkArea();
    const wxPoint home = m_frame->GetPosition();
    wxWindow* panel = Panel();
    if (!panel)
        return;
    m_frame->Move(area.x - 500, area.y + 40);  // half off the left edge
    Pump(100);
    m_frame->View()->PlacePanel();
    Check(area.Contains(panel->GetRect()), "panel placed inside the work area");
    panel->Move(area.x - 258, area.y + 30);
    Check(area.Contains(panel->GetRect()), "panel moved off the left edge comes back");
    panel->Move(area.GetRight() - 10, area.GetBottom() - 10);
    Check(area.Contains(panel->GetRect()), "panel moved off the bottom right comes back");
    m_frame->Move(home);
    Pump(100);
    m_frame->View()->PlacePanel();
}

// GTK's overlay indicators would cover the bottom rows: real bars beside them.
void SmokeApp::CheckClassicScrollBars() {
    const char* overlay = std::getenv("GTK_OVERLAY_SCROLLING");
    Check(overlay && std::string(overlay) == "0", "overlay scrolling off before GTK starts");
    Command(ID_TOGGLE_ZOOM);
    Pump(300);
    const SpectrumWindow* view = m_frame->View();
    Check(
        view->GetClientSize().y < view->GetSize().y && view->GetClientSize().x < view->GetSize().x,
        "zoomed: the scroll bars take their own room");
    Command(ID_TOGGLE_ZOOM);
    Pump(100);
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
    const std::string folder = m_folder.string();
    Command(ID_FILE_OPEN);
    Check(m_ui.startFolders.back() == folder, "Open starts in the measurement's folder");
    Command(ID_FILE_SAVE_AS);
    Check(m_ui.startFolders.back() == folder, "Save As starts in the measurement's folder");
    Command(ID_FILE_NEW);
    Command(ID_FILE_OPEN);
    Check(m_ui.startFolders.back() == folder, "Open of an untitled one: the last folder used");
    Command(ID_FILE_SAVE_AS);
    Check(m_ui.startFolders.back() == folder, "Save As of an untitled one: the last folder used");
    std::filesystem::remove_all(m_folder);
}

}  // namespace
}  // namespace qv

wxIMPLEMENT_APP_NO_MAIN(qv::SmokeApp);

int main(int argc, char** argv) {
    return wxEntry(argc, argv);
}

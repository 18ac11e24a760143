#include "MainFrame.h"

#include <wx/accel.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "DesktopJob.h"
#include "FileDropTarget.h"
#include "MenuBarBuilder.h"
#include "ProgramIcon.h"
#include "SpectrumWindow.h"
#include "ToolbarArt.h"
#include "VelocityCommands.h"
#include "WxCommandIds.h"
#include "WxText.h"
#include "app/CommandIds.h"
#include "app/JobConflicts.h"
#include "app/QvApplication.h"
#include "app/Resources.h"

namespace qv {
namespace {

int AcceleratorFlags(unsigned modifiers) {
    return (modifiers & kCtrl ? wxACCEL_CTRL : 0) | (modifiers & kShift ? wxACCEL_SHIFT : 0) |
           (modifiers & kAlt ? wxACCEL_ALT : 0);
}

int AcceleratorKeyCode(int key) {
    switch (key) {
        case kKeyBackspace:
            return WXK_BACK;
        case kKeyInsert:
            return WXK_INSERT;
        case kKeyDelete:
            return WXK_DELETE;
        case kKeyF6:
            return WXK_F6;
        default:
            return key;
    }
}

void CollectMenuIds(const std::vector<MenuEntry>& entries, std::set<int>& ids) {
    for (const MenuEntry& entry : entries) {
        if (entry.IsPopup())
            CollectMenuIds(entry.items, ids);
        else if (!entry.IsSeparator())
            ids.insert(entry.id);
    }
}

}  // namespace

bool IsToggleTool(int id) {
    return id == ID_AUTO_SAVE || id == ID_AUTO_REFRESH;
}

CMainFrame::CMainFrame(CQvApp& app, WxUi& ui)
    : wxFrame(nullptr, wxID_ANY, ToWx(app.WindowCaption()), wxDefaultPosition, wxSize(900, 640)),
      m_app(app),
      m_ui(ui) {
    SetIcons(ProgramIcons());
    CreateMenus();
    CreateTools();
    CreateStatus();
    CreateAccelerators();
    m_view = new SpectrumWindow(this, ui, app.Document());
    m_app.SetViewTarget(&m_view->View());
    m_view->View().KeepRunIn(&m_app.Run());
    m_velocity = std::make_unique<VelocityCommands>(*this, ui, app.Document(), app.Settings());
    m_view->OnViewInvalidated([this] { m_velocity->SpectraChanged(); });
    const auto open = [this](const std::vector<std::string>& paths) { OpenDropped(paths); };
    SetDropTarget(new FileDropTarget(open));
    m_view->SetDropTarget(new FileDropTarget(open));
    Bind(wxEVT_MENU, &CMainFrame::OnCommand, this);
    Bind(wxEVT_CHAR_HOOK, &CMainFrame::OnCharHook, this);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateUi, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnCloseWindow, this);
    DocumentChanged(DocumentChange::Contents);
    // The client size set once more before the first show: otherwise GTK's
    // first allocation under a window manager gives the toolbar a width of 2
    // pixels and complains about it (Gtk-CRITICAL, Gtk-WARNING).
    SetClientSize(GetClientSize());
}

// The view goes down with the frame's children: commands must not reach it then.
CMainFrame::~CMainFrame() {
    m_app.SetViewTarget(nullptr);
    m_view->OnViewInvalidated(nullptr);
}

void CMainFrame::SetJobOptions(unsigned cardSpeed, const std::optional<std::string>& log) {
    m_job = std::make_unique<DesktopJob>(m_app, m_ui, this, cardSpeed, log, [this] {
        m_view->View().ShowDocumentState();
        DocumentChanged(DocumentChange::Name);
    });
}

void CMainFrame::CreateMenus() {
    SetMenuBar(BuildMenuBar(MainMenu()));
    CollectMenuIds(MainMenu(), m_commands);
    for (int i = 1; i < m_app.RecentFiles().Size(); ++i)
        m_commands.insert(ID_FILE_MRU_FILE1 + i);
    m_recentFiles.Attach(*GetMenuBar());
}

void CMainFrame::CreateTools() {
    wxToolBar* bar = CreateToolBar(wxTB_FLAT | wxTB_HORIZONTAL | wxTB_TOP);
    bar->SetToolBitmapSize(wxSize(kToolbarButtonWidth, kToolbarButtonHeight));
    for (int id : MainToolbar()) {
        if (id == 0) {
            bar->AddSeparator();
            continue;
        }
        bar->AddTool(ToWxId(id), wxString(), ToolbarPicture(id), ToWx(Tooltip(id)),
                     IsToggleTool(id) ? wxITEM_CHECK : wxITEM_NORMAL);
        bar->SetToolLongHelp(ToWxId(id), ToWx(StatusPrompt(id)));
        m_commands.insert(id);
    }
    bar->Realize();
}

void CMainFrame::CreateStatus() {
    CreateStatusBar(1);
    SetStatusText(ToWx(LoadString(AFX_IDS_IDLEMESSAGE)));
}

// GTK draws the size grip inside the last field, so that field leaves room
// for it beside the text's own margins.
void CMainFrame::ShowStatusPage(const std::string& text) {
    wxStatusBar* bar = GetStatusBar();
    const int grip = bar->HasFlag(wxSTB_SIZEGRIP) ? bar->GetSize().y : 0;
    const int widths[] = {-1, bar->GetTextExtent(ToWx(text)).x + 24 + grip};
    bar->SetFieldsCount(2, widths);
    SetStatusText(ToWx(text), 1);
}

// The standard editing keys are there as on Windows; no handler takes them yet.
void CMainFrame::CreateAccelerators() {
    std::vector<wxAcceleratorEntry> entries;
    for (const Accelerator& accelerator : MainAccelerators()) {
        entries.emplace_back(AcceleratorFlags(accelerator.modifiers),
                             AcceleratorKeyCode(accelerator.key), ToWxId(accelerator.command));
        m_commands.insert(accelerator.command);
    }
    SetAcceleratorTable(wxAcceleratorTable(int(entries.size()), entries.data()));
}

void CMainFrame::DocumentChanged(DocumentChange change) {
    SetTitle(ToWx(m_app.WindowCaption()));
    m_recentFiles.Show(m_app.RecentFiles().Entries());
    if (change == DocumentChange::Contents) {
        m_view->View().OnInitialUpdate();
        m_velocity->SpectraChanged();
    }
}

void CMainFrame::OpenFile(const std::string& path) {
    Raise();
    m_app.OpenDocumentFile(path);
}

// Windows opened every dropped file in turn; one document keeps the last.
void CMainFrame::OpenDropped(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        OpenFile(path);
}

bool CMainFrame::RunFrameCommand(int id) {
    if (m_velocity->Run(id))
        return true;
    switch (id) {
        case ID_VIEW_TOOLBAR:
            ToggleBar(GetToolBar());
            return true;
        case ID_VIEW_STATUS_BAR:
            ToggleBar(GetStatusBar());
            return true;
        case ID_APP_EXIT:
            Close();
            return true;
        case ID_RUN_JOB:
            if (m_job && !m_job->Running())
                m_job->ChooseAndRun();
            return true;
        default:
            return false;
    }
}

void CMainFrame::ToggleBar(wxWindow* bar) {
    bar->Show(!bar->IsShown());
    SendSizeEvent();
}

void CMainFrame::OnCommand(wxCommandEvent& event) {
    if (!RunCommand(ToCommand(event.GetId())))
        event.Skip();
}

// The accelerators work wherever the keyboard is in the program's windows: the
// panels hand their keys here first. A key whose command is disabled (the
// editing keys have no handler) goes on to the window that has the focus.
void CMainFrame::OnCharHook(wxKeyEvent& event) {
    const int id = GetAcceleratorTable()->GetCommand(event);
    if (id == wxNOT_FOUND || !m_commands.count(ToCommand(id)) ||
        !m_app.Router().Query(ToCommand(id)).enabled || !RunCommand(ToCommand(id)))
        event.Skip();
}

// False when the command is not the frame's.
bool CMainFrame::RunCommand(int id) {
    if (!m_commands.count(id))
        return false;
    if (JobRunning() && FightsARunningJob(id))
        return true;
    if (RunFrameCommand(id))
        return true;
    // As the framework did, a command whose update handler disables it does not run.
    if (m_app.Router().Query(id).enabled)
        m_app.Router().Execute(id);
    return true;
}

void CMainFrame::OnUpdateUi(wxUpdateUIEvent& event) {
    const int id = ToCommand(event.GetId());
    if (!m_commands.count(id)) {
        event.Skip();
        return;
    }
    if (id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR) {
        const wxWindow* bar =
            id == ID_VIEW_TOOLBAR ? static_cast<wxWindow*>(GetToolBar()) : GetStatusBar();
        event.Check(bar->IsShown());
        return;
    }
    if (id == ID_APP_EXIT || m_velocity->Handles(id))
        return;
    if (id == ID_RUN_JOB || (JobRunning() && FightsARunningJob(id))) {
        event.Enable(id == ID_RUN_JOB ? m_job && !JobRunning() : false);
        return;
    }
    const CCmdUI state = m_app.Router().Query(id);
    event.Enable(state.enabled);
    if (IsToggleTool(id))
        event.Check(state.check != 0 || state.radio);
}

bool CMainFrame::JobRunning() const {
    return m_job && m_job->Running();
}

void CMainFrame::OnCloseWindow(wxCloseEvent& event) {
    // The running job is asked to stop; the program closes when asked again.
    if (JobRunning()) {
        m_job->Stop();
        if (event.CanVeto()) {
            event.Veto();
            return;
        }
    }
    if (event.CanVeto() && !m_app.CanExit()) {
        event.Veto();
        return;
    }
    Destroy();
}

}  // namespace qv

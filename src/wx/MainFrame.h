#pragma once

#include <set>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "RecentFilesMenu.h"

class wxPanel;

namespace qv {

class CQvApp;

// CMainFrame: menu, flat toolbar, one-pane status bar with fly-by prompts,
// and the client area. Commands go to the application's router.
class CMainFrame : public wxFrame {
public:
    explicit CMainFrame(CQvApp& app);

    // Caption and recent-file entries after the document was reset or reloaded.
    void DocumentChanged();
    // A file handed over by a second start, dropped, or named later: open it as
    // File Open does.
    void OpenFile(const std::string& path);
    wxPanel* ClientArea() const { return m_client; }

private:
    void CreateMenus();
    void CreateTools();
    void CreateStatus();
    void CreateAccelerators();
    void OnCommand(wxCommandEvent& event);
    void OnUpdateUi(wxUpdateUIEvent& event);
    bool RunFrameCommand(int id);
    void ToggleBar(wxWindow* bar);
    void OnCloseWindow(wxCloseEvent& event);
    void OpenDropped(const std::vector<std::string>& paths);

    CQvApp& m_app;
    RecentFilesMenu m_recentFiles;
    std::set<int> m_commands;  // ids of every menu item and tool
    wxPanel* m_client = nullptr;
};

// Toolbar commands that show pressed while their flag is set.
bool IsToggleTool(int id);

}  // namespace qv

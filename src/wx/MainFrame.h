#pragma once

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "RecentFilesMenu.h"

namespace qv {

class CQvApp;
class DesktopJob;
enum class DocumentChange;
class SpectrumWindow;
class VelocityCommands;
class WxUi;

// CMainFrame: menu, flat toolbar, one-pane status bar with fly-by prompts,
// and the spectrum view as the client area. Commands go to the application's
// router, the view first.
class CMainFrame : public wxFrame {
public:
    CMainFrame(CQvApp& app, WxUi& ui);
    ~CMainFrame() override;

    // Caption and recent-file entries, and the view when the document was reset
    // or reloaded.
    void DocumentChanged(DocumentChange change);
    // A file handed over by a second start, dropped, or named later: open it as
    // File Open does.
    void OpenFile(const std::string& path);
    SpectrumWindow* View() const { return m_view; }
    VelocityCommands& Velocity() const { return *m_velocity; }
    // A second field of the status bar that keeps its text: where the status
    // page is served, or why not. Menu prompts go on in the first.
    void ShowStatusPage(const std::string& text);
    // File > Run Job...: card seconds per host second, and qv --log.
    void SetJobOptions(unsigned cardSpeed, const std::optional<std::string>& log);

private:
    void CreateMenus();
    void CreateTools();
    void CreateStatus();
    void CreateAccelerators();
    void OnCommand(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    bool RunCommand(int id);
    void OnUpdateUi(wxUpdateUIEvent& event);
    bool RunFrameCommand(int id);
    void ToggleBar(wxWindow* bar);
    void OnCloseWindow(wxCloseEvent& event);
    bool JobRunning() const;
    void OpenDropped(const std::vector<std::string>& paths);

    CQvApp& m_app;
    RecentFilesMenu m_recentFiles;
    std::set<int> m_commands;  // ids of every menu item and tool
    SpectrumWindow* m_view = nullptr;
    std::unique_ptr<VelocityCommands> m_velocity;
    WxUi& m_ui;
    std::unique_ptr<DesktopJob> m_job;
};

// Toolbar commands that show pressed while their flag is set.
bool IsToggleTool(int id);

}  // namespace qv

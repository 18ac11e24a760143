#pragma once

#include <memory>

#include "CommandLine.h"
#include "ToolkitApp.h"

namespace qv {

class CMainFrame;
class CQvApp;
class InstanceLink;
class StatusService;
class WxSettingsStore;
class WxUi;

// The desktop program: profile, the application core, one instance per user,
// and the main frame.
class QvWxApp : public ToolkitApp {
public:
    QvWxApp();
    ~QvWxApp() override;

    bool OnInit() override;
    int OnExit() override;

    // The card link's choice (virtual card, training bench, trace) and the file.
    const CommandLine& Options() const { return m_options; }

private:
    bool HandedToRunningProgram();
    void ShowMainFrame();
    void Receive(const std::optional<std::string>& path);
    void StartStatusPage();

    CommandLine m_options;
    std::unique_ptr<InstanceLink> m_link;
    std::unique_ptr<WxSettingsStore> m_settings;
    std::unique_ptr<WxUi> m_ui;
    std::unique_ptr<CQvApp> m_app;
    std::unique_ptr<StatusService> m_status;
    CMainFrame* m_frame = nullptr;
};

}  // namespace qv

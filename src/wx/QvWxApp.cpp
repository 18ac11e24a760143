#include "QvWxApp.h"

#include <cctype>
#include <iostream>

#include "InstanceLink.h"
#include "MainFrame.h"
#include "SpectrumWindow.h"
#include "VelocityCommands.h"
#include "WxSettingsStore.h"
#include "WxText.h"
#include "WxUi.h"
#include "app/QvApplication.h"
#include "status/StatusService.h"

namespace qv {
namespace {

std::vector<std::string> Arguments(int argc, const wxCmdLineArgsArray& argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(FromWx(argv[i]));
    return args;
}

}  // namespace

QvWxApp::QvWxApp() = default;
QvWxApp::~QvWxApp() = default;

bool QvWxApp::OnInit() {
    // main has refused wrong arguments and answered --help already.
    m_options = ParseCommandLine(Arguments(argc, argv));
    SetAppName(kAppName);
    SetVendorName(kRegistryKey);
    if (HandedToRunningProgram()) {
        // Done: end with success once the loop runs.
        CallAfter([this] { ExitMainLoop(); });
        return true;
    }
    m_settings = std::make_unique<WxSettingsStore>(kRegistryKey, kAppName);
    m_ui = std::make_unique<WxUi>();
    CQvApp::Options options;
    options.card = m_options.card;
    m_app = std::make_unique<CQvApp>(*m_ui, *m_settings, options);
    // Reading qv.hdw here shows its warnings before the main window.
    if (!m_app->InitInstance(m_options.fileName))
        return false;
    // Before the first capture, which only the view's timer or a command starts.
    const std::optional<RememberedRun> run = m_app->ReopenRun(m_options.resume);
    m_app->Document().SetRunLogPath(m_options.logPath);
    ShowMainFrame();
    StartStatusPage();
    if (run)
        m_frame->View()->View().ResumeRun(*run);
    m_link->Serve([this](const std::optional<std::string>& path) { Receive(path); });
    return true;
}

int QvWxApp::OnExit() {
    m_link.reset();
    m_status.reset();
    m_app.reset();
    m_ui.reset();
    m_settings.reset();
    return wxApp::OnExit();
}

// Like the shell's open request to a running program: nothing else starts.
bool QvWxApp::HandedToRunningProgram() {
    m_link = std::make_unique<InstanceLink>();
    return m_link->AnotherIsRunning() && m_link->HandOver(m_options.fileName);
}

void QvWxApp::ShowMainFrame() {
    m_frame = new CMainFrame(*m_app, *m_ui);
    m_frame->SetJobOptions(m_options.card.simulate ? m_options.card.simulationSpeed : 1,
                           m_options.logPath);
    m_app->SetDocumentChangedHandler([this](DocumentChange change) {
        if (m_frame)
            m_frame->DocumentChanged(change);
    });
    m_frame->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
        event.Skip();
        if (event.GetEventObject() == m_frame)
            m_frame = nullptr;
    });
    SetTopWindow(m_frame);
    m_frame->Show();
}

// A port in use is said on the terminal and in the status bar; qv goes on
// without the page.
void QvWxApp::StartStatusPage() {
    if (!m_options.status.port)
        return;
    m_status = std::make_unique<StatusService>("qv");
    std::string message;
    const bool serving = m_status->Start(m_options.status, message);
    std::cerr << "qv: " << message << '\n';
    if (serving) {
        m_status->Watch(m_frame->View()->View(), m_app->Document());
        ProgramCalibration& calibration = m_frame->Velocity().Calibration();
        m_status->UseCalibration([&calibration] { return calibration.Get(); });
    } else {
        m_status.reset();
    }
    message[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(message[0])));
    m_frame->ShowStatusPage(message);
}

void QvWxApp::Receive(const std::optional<std::string>& path) {
    if (!m_frame)
        return;
    if (m_frame->IsIconized())
        m_frame->Iconize(false);
    if (path)
        m_frame->OpenFile(*path);
    else
        m_frame->Raise();
}

}  // namespace qv

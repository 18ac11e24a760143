// The operator's road on the virtual card: clear the three memories and start
// them in the clear/run panel, let virtual time pass, "Refresh from hardware",
// and find the measurement in the view and the remark panel. With a folder in
// QV_PICTURES it also keeps pictures of the two panels.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <thread>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/image.h>

#include "CheckedApp.h"
#include "DialogWindow.h"
#include "GuiChecks.h"
#include "MainFrame.h"
#include "MainWindowDriving.h"
#include "MainWindowStart.h"
#include "Pictures.h"
#include "SpectrumWindow.h"
#include "WxCommandIds.h"
#include "WxUi.h"
#include "app/QvApplication.h"
#include "document/CommandIds.h"
#include "editors/ClearRunTemplate.h"
#include "editors/DataRemarkTemplate.h"
#include "framework/SettingsStore.h"
#include "view/ViewConstants.h"

namespace qv {
namespace {

constexpr int kTestTimer = 77;
constexpr std::uint32_t kSimulationSpeed = 400;  // card seconds per real second

DialogWindow* OpenModalDialog() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<DialogWindow*>(window); dialog && dialog->IsModal())
            return dialog;
    return nullptr;
}

using test::Settle;

class CaptureApp : public test::CheckedApp<wxApp> {
public:
    bool OnInit() override;

private:
    void RunChecks();
    void ClearAndStart();
    void PlayClearRun(DialogWindow& window);
    void CheckRefresh();
    void Keep(wxWindow& window, const char* name);
    void Command(int id);

    MemorySettingsStore m_settings;
    WxUi m_ui;
    std::unique_ptr<CQvApp> m_app;
    CMainFrame* m_frame = nullptr;
};

bool CaptureApp::OnInit() {
    test::InstallGuiTestGuards(std::chrono::seconds(80));
    wxInitAllImageHandlers();
    m_app = std::make_unique<CQvApp>(m_ui, m_settings, test::VirtualCardOptions(kSimulationSpeed));
    m_frame = test::StartMainWindow(*this, *m_app, m_ui);
    if (!m_frame)
        return false;
    CallAfter([this] {
        RunChecks();
        m_app->Document().SetModifiedFlag(false);
        m_frame->Close(true);
    });
    return true;
}

void CaptureApp::Command(int id) {
    test::SendCommand(*m_frame, id);
}

void CaptureApp::Keep(wxWindow& window, const char* name) {
    const char* folder = std::getenv("QV_PICTURES");
    if (!folder)
        return;
    window.Raise();
    Settle(std::chrono::milliseconds(300));
    const auto path = std::filesystem::path(folder) / name;
    Check(test::GrabClient(window).SaveFile(path.string(), wxBITMAP_TYPE_PNG), path.string());
}

void CaptureApp::RunChecks() {
    Settle(std::chrono::milliseconds(300));
    ClearAndStart();
    // Virtual minutes of counting.
    Settle(std::chrono::milliseconds(1500));
    CheckRefresh();
}

void CaptureApp::PlayClearRun(DialogWindow& window) {
    CDialog& panel = window.Model();
    Check(panel.Template().id == IDD_CLEAR_RUN, "the Settings command opens dialog 143");
    for (int id : {IDC_CLEAR_QV2, IDC_CLEAR_QV1, IDC_CLEAR_AA})
        panel.CheckDlgButton(id, 1);
    panel.OnCommand(IDC_CLEAR_GO);
    Check(panel.GetDlgItemText(IDC_RUN_STATUS).rfind("TimOut", 0) != 0, "the clear is confirmed");
    for (int id : {IDC_ENABLE_GO_QV2, IDC_ENABLE_GO_QV1, IDC_ENABLE_GO_AA, IDC_COUNT_QV2,
                   IDC_COUNT_QV1, IDC_COUNT_AA})
        panel.CheckDlgButton(id, 1);
    panel.OnCommand(IDC_RUN_GO);
    Check(panel.IsDlgButtonChecked(IDC_COUNT_QV1) == 1 &&
              panel.IsDlgButtonChecked(IDC_COUNT_QV2) == 1 &&
              panel.IsDlgButtonChecked(IDC_COUNT_AA) == 1,
          "the panel shows all three memories counting");
    Keep(window, "clear-run.png");
    panel.OnCommand(IDCANCEL);
}

void CaptureApp::ClearAndStart() {
    bool played = false;
    m_ui.SetTimer(kTestTimer, 50, [this, &played] {
        DialogWindow* window = OpenModalDialog();
        if (!window || played)
            return;
        played = true;
        PlayClearRun(*window);
    });
    Command(ID_CLEAR_RUN);
    m_ui.KillTimer(kTestTimer);
    Check(played, "the clear/run panel was played");
    Check(OpenModalDialog() == nullptr, "the panel closed");
}

void CaptureApp::CheckRefresh() {
    SpectrumWindow& view = *m_frame->View();
    const int before = view.Paints();
    Command(ID_REFRESH);
    Settle(std::chrono::milliseconds(500));
    Check(view.Paints() > before, "the view repaints after the refresh");
    const Measurement& data = m_app->Document().Data();
    Check(std::accumulate(data.Qv1.begin(), data.Qv1.end(), 0ull) > 0, "Qv1 counted");
    // The alpha-iron dips pull Qv1's points far below its baseline: its
    // points cover most of the field's height instead of one band.
    const RgbCanvas* shown = view.Shown();
    int top = shown ? shown->Height() : 0, bottom = 0;
    for (int y = 0; shown && y < shown->Height(); ++y)
        for (int x = 0; x < shown->Width(); ++x)
            if (shown->Pixel(x, y) == kQv1Colour) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    Check(shown && bottom - top > shown->Height() / 2, "the Qv1 dips reach down the view");
    CDataRemarkDlg& remark = view.View().DataRemark();
    Check(remark.GetDlgItemText(IDC_REMARK_GAIN) == std::to_string(data.Settings.Analogue.Gain),
          "the remark panel shows the captured settings");
    Check(remark.GetDlgItemText(IDC_REMARK_LIVE_SECONDS) ==
              std::to_string(data.Settings.CountersTimers.AaLiveTime),
          "the remark panel shows the captured counters");
    m_app->Document().SetModifiedFlag(false);
    remark.SetDlgItemText(IDC_REMARK_TEXT, "57Co(Rh) source, alpha-iron foil 25 um, 295 K");
    remark.OnCommand(IDC_REMARK_ACCEPT);
    Check(m_app->Document().IsModified(), "an accepted remark marks the measurement changed");
    if (wxWindow* window = m_ui.WindowOf(remark))
        Keep(*window, "data-remark.png");
}

}  // namespace
}  // namespace qv

wxIMPLEMENT_APP_NO_MAIN(qv::CaptureApp);

int main(int argc, char** argv) {
    return wxEntry(argc, argv);
}

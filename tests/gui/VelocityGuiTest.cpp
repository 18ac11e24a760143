// The velocity scale at the desktop on the virtual card: count alpha-iron,
// calibrate it in Service > Calibrate on alpha-iron, Use, and watch the folded
// spectrum in the velocity window change with two refreshes. The calibration
// lands beside the data file and in the profile, which a second start reads.
// With a folder in QV_PICTURES it keeps pictures of both windows.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include <wx/app.h>
#include <wx/image.h>
#include <cstdio>
#include "CanvasBitmap.h"
#include "CheckedApp.h"
#include "DialogWindow.h"
#include "GuiChecks.h"
#include "MainFrame.h"
#include "MainWindowDriving.h"
#include "MainWindowStart.h"
#include "Pictures.h"
#include "SpectrumWindow.h"
#include "VelocityCommands.h"
#include "VelocityWindow.h"
#include "WxCommandIds.h"
#include "WxSettingsStore.h"
#include "WxUi.h"
#include "analysis/CalibrationFile.h"
#include "document/CommandIds.h"
#include "editors/ClearRunDlg.h"
#include "editors/ClearRunTemplate.h"
#include "view/CalibrationDlg.h"
#include "view/CalibrationTemplate.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr int kTestTimer = 78;
constexpr std::uint32_t kSimulationSpeed = 2000;  // card seconds per real second

using test::Settle;

DialogWindow* OpenModalDialog() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<DialogWindow*>(window); dialog && dialog->IsModal())
            return dialog;
    return nullptr;
}

// A profile folder of its own, so that the user's is never touched.
fs::path FreshFolder() {
    const fs::path folder = fs::temp_directory_path() / ("qv-velocity-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    return folder;
}

class VelocityApp : public test::CheckedApp<wxApp> {
public:
    bool OnInit() override;
    int OnRun() override {
        const int verdict = CheckedApp::OnRun();
        fs::remove_all(m_folder);
        return verdict;
    }

private:
    void RunChecks();
    void StartCounting();
    void CountAndSave();
    void CalibrateAndUse();
    void PlayCalibration(CCalibrationDlg& dialog, DialogWindow& window);
    void CheckStoredCalibration();
    void WatchTheVelocityWindow();
    std::vector<std::uint8_t> ShownVelocityPicture(bool refresh);
    void Command(int id);

    fs::path m_folder = FreshFolder();
    WxSettingsStore m_settings{"TAVEK - Moessbauer Spectrometer", "qv"};
    WxUi m_ui;
    std::unique_ptr<CQvApp> m_app;
    CMainFrame* m_frame = nullptr;
    double m_perChannel = 0;
};

bool VelocityApp::OnInit() {
    test::InstallGuiTestGuards(std::chrono::seconds(100));
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

void VelocityApp::Command(int id) {
    test::SendCommand(*m_frame, id);
}

void VelocityApp::RunChecks() {
    Settle(std::chrono::milliseconds(300));
    Command(ID_VELOCITY_SPECTRUM);
    Settle(std::chrono::milliseconds(300));
    VelocityWindow* window = m_frame->Velocity().Window();
    Check(window && window->IsShown() && window->Paints() > 0, "the velocity window opens");
    Check(window && window->PlotFrame().field.right == 0,
          "without a calibration it draws no plot (it says how to get one)");
    // It stays open: Use has to bring the plot.
    CountAndSave();
    CalibrateAndUse();
    CheckStoredCalibration();
    WatchTheVelocityWindow();
}

// The clear/run panel's model, without its window: that panel has its own test.
void VelocityApp::StartCounting() {
    CClearRunDlg panel(m_ui);
    panel.OnInitDialog();
    for (int id : {IDC_CLEAR_QV2, IDC_CLEAR_QV1, IDC_CLEAR_AA})
        panel.CheckDlgButton(id, 1);
    panel.OnCommand(IDC_CLEAR_GO);
    for (int id : {IDC_ENABLE_GO_QV2, IDC_ENABLE_GO_QV1, IDC_ENABLE_GO_AA, IDC_COUNT_QV2,
                   IDC_COUNT_QV1, IDC_COUNT_AA})
        panel.CheckDlgButton(id, 1);
    panel.OnCommand(IDC_RUN_GO);
    Check(panel.IsDlgButtonChecked(IDC_COUNT_QV1) == 1, "Qv1 counts");
}

void VelocityApp::CountAndSave() {
    StartCounting();
    // Hours of virtual counting.
    Settle(std::chrono::milliseconds(3000));
    Command(ID_REFRESH);
    Check(m_app->Document().DoSave((m_folder / "iron.qv").string()), "the measurement is saved");
}

void VelocityApp::CalibrateAndUse() {
    bool played = false;
    m_ui.SetTimer(kTestTimer, 50, [this, &played] {
        DialogWindow* window = OpenModalDialog();
        if (!window || played)
            return;
        played = true;
        auto* dialog = dynamic_cast<CCalibrationDlg*>(&window->Model());
        Check(dialog != nullptr, "Service > Calibrate on \u03b1-iron opens dialog 170");
        if (dialog)
            PlayCalibration(*dialog, *window);
        window->Model().OnCommand(IDCANCEL);
    });
    Command(ID_CALIBRATE);
    m_ui.KillTimer(kTestTimer);
    Check(played, "the calibration window was played");
}

void VelocityApp::PlayCalibration(CCalibrationDlg& dialog, DialogWindow& window) {
    const auto& cal = dialog.Outcome().calibration;
    Check(cal && std::abs(cal->foldingPoint - 2047.5) < 0.5, "Qv1 calibrates: folding point");
    Check(dialog.GetDlgItemText(IDC_CAL_FOLDING).rfind("2047.", 0) == 0,
          "the folding point is shown: " + dialog.GetDlgItemText(IDC_CAL_FOLDING));
    Check(std::abs(std::strtod(dialog.GetDlgItemText(CalibrationLineId(0, 0)).c_str(), nullptr) +
                   5.312) < 0.05,
          "line 1 sits at -5.312 mm/s: " + dialog.GetDlgItemText(CalibrationLineId(0, 0)));
    Check(dialog.Control(IDC_CAL_USE).enabled, "Use is offered");
    // The aux detector's Qv2 holds far fewer counts: a calibration or a refusal, said as such.
    dialog.ClickRadio(IDC_CAL_QV2);
    Check(dialog.Spectrum() == analysis::SpectrumChoice::Qv2 &&
              dialog.GetDlgItemText(IDC_CAL_STATUS).rfind("Qv2", 0) == 0,
          "the choice of Qv2 calibrates Qv2: " + dialog.GetDlgItemText(IDC_CAL_STATUS));
    dialog.ClickRadio(IDC_CAL_QV1);
    m_perChannel =
        dialog.Outcome().calibration ? dialog.Outcome().calibration->velocityPerChannel : 0;
    Settle(std::chrono::milliseconds(200));
    Check(test::KeepPicture(window, "calibration.png", true), "picture of the calibration window");
    dialog.OnCommand(IDC_CAL_USE);
    Check(dialog.GetDlgItemText(IDC_CAL_STATUS).find("iron.cal.json") != std::string::npos,
          "the window says where the calibration went: " + dialog.GetDlgItemText(IDC_CAL_STATUS));
}

void VelocityApp::CheckStoredCalibration() {
    const std::string beside = (m_folder / "iron.cal.json").string();
    std::ostringstream why;
    const auto file = analysis::LoadCalibration(beside, why);
    Check(file && file->velocityPerChannel == m_perChannel && m_perChannel > 0,
          "the calibration file lies beside the data file " + why.str());
    // A second start reads the profile anew.
    WxSettingsStore again("TAVEK - Moessbauer Spectrometer", "qv");
    const ProgramCalibration remembered(again);
    Check(remembered.Get() &&
              std::abs(remembered.Get()->velocityPerChannel - m_perChannel) < 1e-12 &&
              remembered.File() == beside && remembered.Spectrum() == "Qv1",
          "the profile remembers the calibration and its file");
}

std::vector<std::uint8_t> VelocityApp::ShownVelocityPicture(bool refresh) {
    if (refresh)
        Command(ID_REFRESH);
    Settle(std::chrono::milliseconds(400));
    const VelocityWindow* window = m_frame->Velocity().Window();
    const RgbCanvas* shown = window ? window->Shown() : nullptr;
    return shown ? shown->Bytes() : std::vector<std::uint8_t>{};
}

void VelocityApp::WatchTheVelocityWindow() {
    VelocityWindow* window = m_frame->Velocity().Window();
    const auto first = ShownVelocityPicture(false);
    Check(window && window->PlotFrame().field.right > 0, "after Use it draws a plot");
    Command(ID_VELOCITY_SPECTRUM);
    const auto second = ShownVelocityPicture(true);
    const auto third = ShownVelocityPicture(true);
    Check(!first.empty() && first != second && second != third,
          "each refresh redraws the growing spectrum");
    if (!window)
        return;
    const VelocityPlotFrame& plot = window->PlotFrame();
    wxMouseEvent move(wxEVT_MOTION);
    move.SetX((plot.field.left + plot.field.right) / 2);
    move.SetY((plot.field.top + plot.field.bottom) / 2);
    window->PlotWindow()->ProcessWindowEvent(move);
    const std::string readout = window->GetStatusBar()->GetStatusText().ToStdString();
    Check(readout.find(" mm/s, ") != std::string::npos, "the cursor reads velocity: " + readout);
    window->SetShown(VelocityWindow::kShowMarkers, true);
    window->SetShown(VelocityWindow::kShowQv2, false);
    Settle(std::chrono::milliseconds(500));
    // The window's own pixels: after a modal dialog the virtual screen is not
    // read back reliably.
    const char* folder = std::getenv("QV_PICTURES");
    if (folder && window->Shown())
        Check(
            CanvasBitmap(*window->Shown())
                .SaveFile((fs::path(folder) / "velocity-spectrum.png").string(), wxBITMAP_TYPE_PNG),
            "picture of the velocity window");
}

}  // namespace
}  // namespace qv

wxIMPLEMENT_APP_NO_MAIN(qv::VelocityApp);

int main(int argc, char** argv) {
    return wxEntry(argc, argv);
}

// A run on the virtual card as the operator drives it: a short backup period
// in the counters-and-timers editor, the measurement saved once, autosave and
// auto-refresh switched on from the toolbar, then the real 1.5 s ticks, which
// must replace the file with autosaves, feed the count-rate window and the
// slider service. With a folder in QV_PICTURES it keeps pictures of the main
// window with both toggles pressed, the count-rate window and the slider
// dialog.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <numeric>
#include <span>
#include <thread>

#include <wx/app.h>
#include <wx/msgdlg.h>
// The generic box builds on the declarations above.
#include <wx/generic/msgdlgg.h>
#include <wx/toolbar.h>

#include <unistd.h>

#include "AcquisitionGuiPlays.h"
#include "CheckedApp.h"
#include "DialogWindow.h"
#include "GuiChecks.h"
#include "MainFrame.h"
#include "MainWindowDriving.h"
#include "MainWindowStart.h"
#include "Pictures.h"
#include "ScriptedUi.h"
#include "SpectrumWindow.h"
#include "ToolkitApp.h"
#include "WxCommandIds.h"
#include "WxText.h"
#include "WxUi.h"
#include "app/QvApplication.h"
#include "document/CommandIds.h"
#include "document/QvDoc.h"
#include "editors/ClearRunTemplate.h"
#include "editors/CountersTimersTemplate.h"
#include "editors/DataRemarkTemplate.h"
#include "framework/FrameworkIds.h"
#include "framework/SettingsStore.h"
#include "hardware/CommandCodes.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/TransferObserver.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv {
namespace {

using test::ScriptedUi;
using test::ShownBox;

constexpr int kPlayTimer = 79;
constexpr int kSettleTicks = 4;                  // of the play timer, before the operator acts
constexpr int kPlayLimitTicks = 500;             // 20 s: ten view ticks and more
constexpr std::uint32_t kSimulationSpeed = 400;  // card seconds per real second
constexpr auto kAutoSaveWait = std::chrono::seconds(8);

constexpr char kAutoSaveWarning[] =
    "AutoSaves under the name of the last open/saved file\n"
    "so do it once to set this file's name.\n\n"
    "    !!WARNING!!\nIt will COVER the open file!!\n"
    "So be careful not to DESTROY your VALUABLE DATA!!.";
constexpr char kSuspendQuestion[] = "Suspend data aquisition when downloading from hardware?";
constexpr char kSuspendReminder[] =
    "Remember: for \"suspend\" spectrometer must not be Locked or must be UnLocked!";

using test::Settle;

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint64_t Total(std::span<const std::uint32_t> counts) {
    return std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
}

// Every channel of a is at most that of b: a was captured before b.
bool NotAbove(std::span<const std::uint32_t> a, std::span<const std::uint32_t> b) {
    for (std::size_t c = 0; c < a.size(); ++c)
        if (a[c] > b[c])
            return false;
    return true;
}

std::uint64_t Inode(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// The file's inode at each Aa readout. Every save replaces the file, so a
// readout under the inode the last save left came after that save; the
// counts alone cannot tell when the card's clock did not step in between.
class AaReadoutsBesideFile : public TransferObserver {
public:
    explicit AaReadoutsBesideFile(std::filesystem::path file)
        : m_file(std::move(file)), m_previous(HardwareGlobals::Instance().observer) {
        HardwareGlobals::Instance().observer = this;
    }
    ~AaReadoutsBesideFile() override { HardwareGlobals::Instance().observer = m_previous; }
    AaReadoutsBesideFile(const AaReadoutsBesideFile&) = delete;
    AaReadoutsBesideFile& operator=(const AaReadoutsBesideFile&) = delete;

    void OnTransfer(const Transfer& transfer) override {
        if (transfer.kind == Transfer::Kind::Spectrum && transfer.command == kSelectAa)
            m_inodes.push_back(Inode(m_file));
        if (m_previous)
            m_previous->OnTransfer(transfer);
    }
    // The readouts made since the file took its present form.
    long SinceLastSave() const {
        return std::count(m_inodes.begin(), m_inodes.end(), Inode(m_file));
    }

private:
    std::filesystem::path m_file;
    TransferObserver* m_previous;
    std::vector<std::uint64_t> m_inodes;
};

class AcquisitionApp : public test::CheckedApp<ToolkitApp> {
public:
    bool OnInit() override;

private:
    void RunChecks();
    void Command(int id);
    bool PlayModal(int command, const std::string& name, const test::ModalPlay& play);
    void ClearAndStart();
    void SetShortBackup();
    void SaveOnce();
    void SwitchAutoSaveOn();
    void CheckToolbarPressed(bool pressed, const std::string& when);
    bool WaitForAutoSave();
    void CheckAutoSaveBeforeRefresh();
    void CheckAutoSaveHoldsDocument();
    void CheckFailedAutoSaveKeepsTheLoopGoing();
    std::string StatusText() const { return FromWx(m_frame->GetStatusBar()->GetStatusText()); }
    void CheckCountRate();
    void CheckSliderAdjust();
    void SwitchAutoSaveOff();
    void CheckBoxes(const std::vector<ShownBox>& expected, const std::string& when);
    std::unique_ptr<CQvDoc> LoadSavedFile();

    MemorySettingsStore m_settings;
    ScriptedUi m_ui;
    std::unique_ptr<CQvApp> m_app;
    CMainFrame* m_frame = nullptr;
    std::filesystem::path m_folder;
    std::filesystem::path m_file;
    std::string m_lastSaved;  // the file's bytes as last seen
};

bool AcquisitionApp::OnInit() {
    test::InstallGuiTestGuards(std::chrono::seconds(100));
    wxInitAllImageHandlers();
    m_app = std::make_unique<CQvApp>(m_ui, m_settings, test::VirtualCardOptions(kSimulationSpeed));
    m_frame = test::StartMainWindow(*this, *m_app, m_ui);
    if (!m_frame)
        return false;
    m_folder =
        std::filesystem::temp_directory_path() / ("qv-acquisition-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
    m_file = m_folder / "run.qv";
    CallAfter([this] {
        RunChecks();
        m_app->Document().SetModifiedFlag(false);
        m_frame->Close(true);
        std::filesystem::remove_all(m_folder);
    });
    return true;
}

void AcquisitionApp::Command(int id) {
    test::SendCommand(*m_frame, id);
}

// Runs the command that opens a modal window and plays the operator in it
// from a timer tick until play says it is done (and has closed the window).
bool AcquisitionApp::PlayModal(int command, const std::string& name, const test::ModalPlay& play) {
    int ticks = 0;
    bool done = false;
    bool gaveUp = false;
    bool playing = false;  // a play that lets the toolkit draw gets no tick inside
    m_ui.SetTimer(kPlayTimer, 40, [&] {
        auto* window = dynamic_cast<DialogWindow*>(test::OpenModalDialog());
        if (!window || done || gaveUp || playing || ++ticks < kSettleTicks)
            return;
        if (ticks > kPlayLimitTicks) {
            gaveUp = true;
            window->Model().OnCommand(IDCANCEL);
            return;
        }
        test::WindowDriver driver(*window, m_verdict);
        playing = true;
        done = play(driver, window->Model());
        playing = false;
    });
    Command(command);
    m_ui.KillTimer(kPlayTimer);
    Check(done, name + ": played to the end");
    Check(test::OpenModalDialog() == nullptr, name + ": closed");
    return done;
}

void AcquisitionApp::RunChecks() {
    Settle(std::chrono::milliseconds(300));
    ClearAndStart();
    SetShortBackup();
    SaveOnce();
    SwitchAutoSaveOn();
    Command(ID_AUTO_REFRESH);
    CheckToolbarPressed(true, "both switched on");
    CheckAutoSaveBeforeRefresh();
    Check(test::KeepPicture(*m_frame, "toolbar-toggles.png", true), "picture of the main window");
    Command(ID_AUTO_REFRESH);
    CheckAutoSaveHoldsDocument();
    CheckFailedAutoSaveKeepsTheLoopGoing();
    CheckCountRate();
    CheckSliderAdjust();
    SwitchAutoSaveOff();
    Command(ID_AUTO_REFRESH);
    CheckToolbarPressed(false, "both switched off");
}

void AcquisitionApp::ClearAndStart() {
    PlayModal(ID_CLEAR_RUN, "clear/run panel", [](test::WindowDriver& d, CDialog&) {
        for (int id : {IDC_CLEAR_QV2, IDC_CLEAR_QV1, IDC_CLEAR_AA})
            d.Click(id);
        d.Click(IDC_CLEAR_GO);
        for (int id : {IDC_ENABLE_GO_QV2, IDC_ENABLE_GO_QV1, IDC_ENABLE_GO_AA, IDC_COUNT_QV2,
                       IDC_COUNT_QV1, IDC_COUNT_AA})
            d.Click(id);
        d.Click(IDC_RUN_GO);
        d.Check(d.Ticked(IDC_COUNT_QV1) && d.Ticked(IDC_COUNT_QV2) && d.Ticked(IDC_COUNT_AA),
                "the panel shows all three memories counting");
        d.Click(IDCANCEL);
        return true;
    });
}

// A period below the card's 30 seconds is sent as 30; at the simulation's
// speed that is a fraction of one tick, so every tick finds a backup due.
void AcquisitionApp::SetShortBackup() {
    PlayModal(ID_SET_COUNTERS_TIMERS, "counters and timers", [](test::WindowDriver& d, CDialog&) {
        d.Type(IDC_CT_BACKUP_PERIOD, "1");
        d.Click(IDC_CT_RESTART_BACKUP);
        d.Click(IDC_CT_TO_HARDWARE);
        d.CheckText(IDC_CT_BACKUP_PERIOD, "30", "backup period raised to the card's least");
        d.Check(!d.Ticked(IDC_CT_RESTART_BACKUP), "the backup restart went to the card once");
        const std::string till = d.Text(IDC_CT_TILL_NEAREST);
        d.Check(!till.empty() && std::strtoul(till.c_str(), nullptr, 10) <= 30,
                "the countdown restarted: " + till);
        d.Click(IDCANCEL);
        return true;
    });
}

void AcquisitionApp::SaveOnce() {
    Command(ID_REFRESH);
    m_ui.files.push_back(m_file.string());
    Command(ID_FILE_SAVE_AS);
    m_lastSaved = ReadAll(m_file);
    Check(!m_lastSaved.empty(), "the measurement saved once under a name");
    Check(FromWx(m_frame->GetTitle()) == "run.qv - qv", "the caption names the file");
}

void AcquisitionApp::CheckBoxes(const std::vector<ShownBox>& expected, const std::string& when) {
    bool same = m_ui.boxes.size() == expected.size();
    for (std::size_t i = 0; same && i < expected.size(); ++i)
        same =
            m_ui.boxes[i].text == expected[i].text && m_ui.boxes[i].caption == expected[i].caption;
    std::string shown;
    for (const ShownBox& box : m_ui.boxes)
        shown += " [" + box.caption + ": " + box.text + "]";
    Check(same, when + ": the boxes shown were" + shown);
    m_ui.boxes.clear();
}

// Refused first, then Yes and No: autosave on without suspend and without
// the suspend reminder.
void AcquisitionApp::SwitchAutoSaveOn() {
    CQvView& view = m_frame->View()->View();
    m_ui.answers = {wxID_NO};
    Command(ID_AUTO_SAVE);
    CheckBoxes({{kAutoSaveWarning, "About to AutoSave"}}, "autosave refused");
    Check(!view.IsAutoSaveOn(), "a refused warning leaves autosave off");
    m_ui.answers = {wxID_YES, wxID_NO};
    Command(ID_AUTO_SAVE);
    CheckBoxes({{kAutoSaveWarning, "About to AutoSave"}, {kSuspendQuestion, "AutoSave"}},
               "autosave without suspend");
    Check(view.IsAutoSaveOn() && !view.IsSuspendOnSave(), "autosave on, no suspend");
}

void AcquisitionApp::CheckToolbarPressed(bool pressed, const std::string& when) {
    m_frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    wxToolBar* bar = m_frame->GetToolBar();
    Check(bar->GetToolState(ToWxId(ID_AUTO_SAVE)) == pressed,
          when + ": the autosave button " + (pressed ? "pressed" : "up"));
    Check(bar->GetToolState(ToWxId(ID_AUTO_REFRESH)) == pressed,
          when + ": the auto-refresh button " + (pressed ? "pressed" : "up"));
}

// True once the file on disk has been replaced since it was last seen.
bool AcquisitionApp::WaitForAutoSave() {
    const auto end = std::chrono::steady_clock::now() + kAutoSaveWait;
    while (std::chrono::steady_clock::now() < end) {
        Settle(std::chrono::milliseconds(50));
        std::string now = ReadAll(m_file);
        if (!now.empty() && now != m_lastSaved) {
            m_lastSaved = std::move(now);
            return true;
        }
    }
    return false;
}

std::unique_ptr<CQvDoc> AcquisitionApp::LoadSavedFile() {
    auto saved = std::make_unique<CQvDoc>(m_ui, std::nullopt);
    Check(saved->OnOpenDocument(m_file.string()), "the autosaved file opens");
    return saved;
}

// Both on: the tick saves after its first capture and then refreshes, so the
// file holds an earlier state of every memory than the document.
void AcquisitionApp::CheckAutoSaveBeforeRefresh() {
    const AaReadoutsBesideFile readouts(m_file);
    Check(WaitForAutoSave(), "the ticks replace the file with an autosave");
    const std::unique_ptr<CQvDoc> saved = LoadSavedFile();
    const Measurement& file = saved->Data();
    const Measurement& shown = m_app->Document().Data();
    Check(Total(file.Aa) > 0 && Total(file.Qv1) > 0 && Total(file.Qv2) > 0,
          "the autosave holds counted spectra");
    Check(NotAbove(file.Aa, shown.Aa) && NotAbove(file.Qv1, shown.Qv1) &&
              NotAbove(file.Qv2, shown.Qv2),
          "the autosave was captured before the tick's refresh");
    Check(readouts.SinceLastSave() == 1, "the refresh after the save read the card again");
    Check(m_app->Document().IsModified(), "the refresh after the save marks the document changed");
    CheckBoxes({}, "autosave ticks");
}

// Autosave alone: what was saved is what the document and its panels show.
void AcquisitionApp::CheckAutoSaveHoldsDocument() {
    m_lastSaved = ReadAll(m_file);  // the last save with auto-refresh still on
    Check(WaitForAutoSave(), "autosave alone replaces the file again");
    const std::unique_ptr<CQvDoc> saved = LoadSavedFile();
    const Measurement& file = saved->Data();
    const Measurement& shown = m_app->Document().Data();
    Check(file.Aa == shown.Aa && file.Qv1 == shown.Qv1 && file.Qv2 == shown.Qv2,
          "the autosave holds the spectra the view shows");
    Check(std::memcmp(&file.Settings, &shown.Settings, sizeof file.Settings) == 0,
          "the autosave holds the settings and counters of the capture");
    Check(!m_app->Document().IsModified(), "the autosaved document is unmodified");
    CDataRemarkDlg& remark = m_frame->View()->View().DataRemark();
    Check(remark.GetDlgItemText(IDC_REMARK_LIVE_SECONDS) ==
              std::to_string(file.Settings.CountersTimers.AaLiveTime),
          "the remark panel shows the saved live time");
    Check(file.Settings.CountersTimers.AaLiveTime > 0, "the saved live time counted");
    CheckBoxes({}, "autosave alone");
}

// The card goes away in the middle of an autosave's Qv1 readout and comes
// back: the failure is in the status bar and in its box, and while that box is
// still open the ticks go on and the next backup period saves the file.
void AcquisitionApp::CheckFailedAutoSaveKeepsTheLoopGoing() {
    auto* card = dynamic_cast<VirtualSpectrometer*>(&m_app->Card()->Bus());
    Check(card != nullptr, "the virtual card is reachable");
    if (card == nullptr)
        return;
    m_lastSaved = ReadAll(m_file);
    const std::string before = m_lastSaved;
    std::string statusWhenShown;
    bool savedWhileOpen = false;
    bool stillOpen = false;
    m_ui.answers = {wxID_OK};
    m_ui.whileOpen = [&](wxDialog& box) {
        statusWhenShown = StatusText();
        Check(ReadAll(m_file) == before, "the failed autosave left the file as it was");
        card->SetFaults({});
        savedWhileOpen = WaitForAutoSave();
        stillOpen = box.IsShown() && box.IsModal();
    };
    sim::CardFaults faults;
    faults.goneAfterWords = 9000;
    card->SetFaults(faults);
    const auto end = std::chrono::steady_clock::now() + kAutoSaveWait;
    while (m_ui.whileOpen && std::chrono::steady_clock::now() < end)
        Settle(std::chrono::milliseconds(50));
    Check(!m_ui.whileOpen, "the failed autosave showed its message");
    m_ui.whileOpen = nullptr;
    card->SetFaults({});
    std::cout << "status bar: " << statusWhenShown << " / " << StatusText() << "\n";
    Check(statusWhenShown.starts_with("AutoSave failed at ") &&
              statusWhenShown.ends_with(": Hardware turned off? Err no:8"),
          "the status bar says when the autosave failed and why");
    Check(savedWhileOpen && stillOpen, "the next backup period saved while the message was open");
    Check(StatusText().starts_with("AutoSaved at "), "the status bar says when it saved");
    CheckBoxes({{"Hardware turned off?\nErr no:8", "Hardware acces error"}}, "the failed autosave");
}

void AcquisitionApp::CheckCountRate() {
    test::CountRateReading reading;
    PlayModal(ID_PULSE_RATE, "count-rate window", test::PlayCountRate(reading));
    std::cout << "count-rate window: Qv2 " << reading.qv2 << ", Qv1 " << reading.qv1
              << " pulses/sec\n";
    Check(m_frame->View()->View().CountRateWindow() == nullptr, "the view forgets the window");
    CheckBoxes({}, "count-rate window");
}

void AcquisitionApp::CheckSliderAdjust() {
    PlayModal(ID_SET_ANALOGUE, "analogue block", test::PlaySelectStimulator);
    Command(ID_AUTO_REFRESH);
    test::SliderReading reading;
    PlayModal(ID_SLIDER_ADJUST, "slider adjustment",
              test::PlaySliderAdjust(m_app->Document(), reading));
    for (const test::PeakReading& peak : {reading.peak1, reading.peak2})
        std::cout << "slider peak: mean " << peak.mean << ", left/right " << peak.left << "/"
                  << peak.right << ", scope " << peak.scope << ", integral " << peak.integral
                  << ", max " << peak.max << ", std dev " << peak.stdDev << "\n";
    CheckBoxes({}, "slider adjustment");
}

// Off silently; on again in suspend mode, with its reminder, and off again.
void AcquisitionApp::SwitchAutoSaveOff() {
    CQvView& view = m_frame->View()->View();
    Command(ID_AUTO_SAVE);
    CheckBoxes({}, "autosave switched off");
    Check(!view.IsAutoSaveOn(), "autosave off again");
    m_ui.answers = {wxID_YES, wxID_YES, wxID_OK};
    Command(ID_AUTO_SAVE);
    CheckBoxes({{kAutoSaveWarning, "About to AutoSave"},
                {kSuspendQuestion, "AutoSave"},
                {kSuspendReminder, "AutoSave in Suspend mode"}},
               "autosave in suspend mode");
    Check(view.IsAutoSaveOn() && view.IsSuspendOnSave(), "autosave on in suspend mode");
    Command(ID_AUTO_SAVE);
    CheckBoxes({}, "suspend mode switched off");
    Check(!view.IsAutoSaveOn() && !view.IsSuspendOnSave(), "switching off ends suspend mode");
}

}  // namespace
}  // namespace qv

wxIMPLEMENT_APP_NO_MAIN(qv::AcquisitionApp);

int main(int argc, char** argv) {
    return wxEntry(argc, argv);
}

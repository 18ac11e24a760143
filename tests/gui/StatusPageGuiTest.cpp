// The status page as someone in another room sees it: qv on the virtual card
// at 50 times its speed with auto-refresh on serves the page, and headless
// Chromium loads it twice; the rendered figures must have moved on between
// the two loads. With a folder in QV_PICTURES it keeps Chromium's picture of
// the page as status-page.png.
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <regex>
#include <thread>

#include <wx/app.h>

#include "CheckedApp.h"
#include "GuiChecks.h"
#include "MainFrame.h"
#include "MainWindowDriving.h"
#include "MainWindowStart.h"
#include "SpectrumWindow.h"
#include "WxCommandIds.h"
#include "WxUi.h"
#include "app/QvApplication.h"
#include "document/CommandIds.h"
#include "document/QvDoc.h"
#include "framework/SettingsStore.h"
#include "hardware/CommandCodes.h"
#include "hardware/RunControlBits.h"
#include "status/StatusService.h"

namespace qv {
namespace {

constexpr std::uint32_t kSimulationSpeed = 50;

std::string Chromium(const std::string& what, const std::string& url) {
    const std::string profile = (std::filesystem::temp_directory_path() /
                                 ("qv-status-chromium-" + std::to_string(::getpid())))
                                    .string();
    const std::string command =
        "chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
        "--disable-background-networking --disable-component-update --disable-sync "
        "--disable-dev-shm-usage --user-data-dir=" +
        profile + " --window-size=1100,1500 --virtual-time-budget=4000 " + what + " '" + url +
        "' 2>/dev/null";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        for (std::size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            out.append(buffer.data(), n);
        }
        pclose(pipe);
    }
    std::filesystem::remove_all(profile);
    return out;
}

// The rendered text of one figure's cell.
std::string Cell(const std::string& dom, const std::string& id) {
    std::smatch match;
    const std::regex cell("id=\"" + id + "\">([^<]*)<");
    return std::regex_search(dom, match, cell) ? match[1].str() : std::string();
}

long Number(const std::string& text) {
    return text.empty() ? -1 : std::strtol(text.c_str(), nullptr, 10);
}

// Lets the toolkit run its timers (the view's ticks) while work goes on.
template <typename T>
T WhileRunning(std::future<T> work) {
    while (work.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        wxTheApp->Yield(true);
    }
    return work.get();
}

class StatusPageApp : public test::CheckedApp<wxApp> {
public:
    bool OnInit() override;

private:
    void Command(int id) { test::SendCommand(*m_frame, id); }
    void StartCounting();
    void WaitForCapture(std::uint64_t sequence);
    void RunChecks();

    MemorySettingsStore m_settings;
    WxUi m_ui;
    std::unique_ptr<CQvApp> m_app;
    CMainFrame* m_frame = nullptr;
    StatusService m_status{"qv"};
};

bool StatusPageApp::OnInit() {
    test::InstallGuiTestGuards(std::chrono::seconds(100));
    m_app = std::make_unique<CQvApp>(m_ui, m_settings, test::VirtualCardOptions(kSimulationSpeed));
    m_frame = test::StartMainWindow(*this, *m_app, m_ui);
    if (!m_frame)
        return false;
    CallAfter([this] {
        RunChecks();
        m_status.Server().Stop();
        m_app->Document().SetModifiedFlag(false);
        m_frame->Close(true);
    });
    return true;
}

// Until the page's board holds the capture numbered sequence or a later one.
void StatusPageApp::WaitForCapture(std::uint64_t sequence) {
    WhileRunning(std::async(std::launch::async, [this, sequence] {
        for (;;) {
            const auto current = m_status.Board().Current();
            if (current && current->sequence >= sequence)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }));
}

// As if the operator had started all three memories in the run/stop panel.
void StatusPageApp::StartCounting() {
    const std::uint8_t run[] = {kCountQv2 | kGoQv2 | kCountQv1 | kGoQv1, kCountAa | kGoAa};
    Check(m_app->Document().Port().WriteCommand(kCmdWriteRunControl, run, kRunControlLength) == 0,
          "the virtual card counts");
}

void StatusPageApp::RunChecks() {
    StatusOptions options;
    options.port = 0;
    std::string message;
    Check(m_status.Start(options, message), message);
    m_status.Watch(m_frame->View()->View(), m_app->Document());
    // The desktop's calibration as Service > Calibrate on the virtual card's
    // alpha-iron gives it: the page then draws the velocity spectrum.
    static const analysis::Calibration calibration{4096, 2047.52, 1023.53, 0.008156, 8.352, -8.352};
    m_status.UseCalibration([] { return &calibration; });
    m_frame->ShowStatusPage(message);
    StartCounting();
    Command(ID_AUTO_REFRESH);
    const std::string page = "http://127.0.0.1:" + std::to_string(m_status.Server().Port()) + "/";
    const auto load = [page] { return Chromium("--dump-dom", page); };
    // A memory's state needs two captures to compare; a quick browser could
    // otherwise load the page after the first. The second load waits for a
    // capture the first cannot have seen, as a quick browser needs less than
    // the view's tick.
    WaitForCapture(2);
    const std::string first = WhileRunning(std::async(std::launch::async, load));
    WaitForCapture(m_status.Board().Current()->sequence + 1);
    const std::string second = WhileRunning(std::async(std::launch::async, load));
    for (const char* id : {"qv1_rate", "qv2_rate", "live_time", "dead_time"}) {
        Check(Number(Cell(first, id)) >= 0, std::string("the page shows ") + id);
    }
    Check(Cell(first, "qv2_state") == "counting", "Qv2 is counting: " + Cell(first, "qv2_state"));
    Check(Number(Cell(second, "live_time")) > Number(Cell(first, "live_time")),
          "the live time moved on: " + Cell(first, "live_time") + ", " + Cell(second, "live_time"));
    Check(Cell(second, "qv1_rate") != Cell(first, "qv1_rate") ||
              Cell(second, "qv2_rate") != Cell(first, "qv2_rate"),
          "the rates changed");
    Check(first.find("id=\"view\" alt=\"channel view\" src=\"view.png?n=") != std::string::npos,
          "the channel view is shown");
    Check(first.find("id=\"velocity\" alt=\"velocity spectrum\" src=\"velocity.png") !=
              std::string::npos,
          "the velocity spectrum is shown");
    if (const char* folder = std::getenv("QV_PICTURES")) {
        const auto path = std::filesystem::path(folder) / "status-page.png";
        const std::string shot = "--screenshot=" + path.string();
        WhileRunning(std::async(std::launch::async, [&] { return Chromium(shot, page); }));
        Check(std::filesystem::exists(path), path.string());
    }
}

}  // namespace
}  // namespace qv

wxIMPLEMENT_APP_NO_MAIN(qv::StatusPageApp);

int main(int argc, char** argv) {
    return wxEntry(argc, argv);
}

// Opens every hardware editor through the Settings menu of the desktop program
// on the virtual spectrometer, plays the operator in its real window (types
// into the boxes, presses the buttons) and checks what the window shows after
// the card was written and read back. With QV_PICTURES set, each editor's
// window is also saved there as a PNG.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "CheckedApp.h"
#include "EditorsGuiCases.h"
#include "GuiChecks.h"
#include "MainFrame.h"
#include "MainWindowDriving.h"
#include "MainWindowStart.h"
#include "Pictures.h"
#include "ToolkitApp.h"
#include "WindowDriver.h"
#include "WxCommandIds.h"
#include "WxText.h"
#include "WxUi.h"
#include "app/QvApplication.h"
#include "framework/SettingsStore.h"

namespace qv {
namespace {

constexpr int kPlayTimer = 78;
// Ticks before the operator acts, so that the window is mapped and painted.
constexpr int kSettleTicks = 4;

class EditorsApp : public test::CheckedApp<ToolkitApp> {
public:
    bool OnInit() override;

private:
    void RunCases();
    void RunCase(const test::EditorCase& editorCase);
    void Command(int id) { test::SendCommand(*m_frame, id); }

    MemorySettingsStore m_settings;
    WxUi m_ui;
    std::unique_ptr<CQvApp> m_app;
    CMainFrame* m_frame = nullptr;
};

bool EditorsApp::OnInit() {
    test::InstallGuiTestGuards(std::chrono::seconds(80));
    wxImage::AddHandler(new wxPNGHandler);
    CQvApp::Options options{std::string(QV_TEST_HDW), {}, true};
    options.card.simulate = true;
    m_app = std::make_unique<CQvApp>(m_ui, m_settings, options);
    m_frame = test::StartMainWindow(*this, *m_app, m_ui);
    if (!m_frame)
        return false;
    CallAfter([this] { RunCases(); });
    return true;
}

void EditorsApp::RunCases() {
    for (const test::EditorCase& editorCase : test::EditorCases())
        RunCase(editorCase);
    m_frame->Close(true);
}

// The case plays inside the editor's modal loop, from a timer tick; the
// window is closed with its cancel button afterwards.
void EditorsApp::RunCase(const test::EditorCase& editorCase) {
    int ticks = 0;
    bool played = false;
    m_ui.SetTimer(kPlayTimer, 40, [&] {
        wxDialog* dialog = test::OpenModalDialog();
        if (!dialog || played || ++ticks < kSettleTicks)
            return;
        played = true;
        test::WindowDriver driver(*dialog, m_verdict);
        if (editorCase.picture)
            m_verdict.Check(test::KeepPicture(*dialog, editorCase.picture),
                            std::string("picture saved: ") + editorCase.picture);
        editorCase.play(driver);
        driver.Click(editorCase.closeButton);
    });
    Command(editorCase.command);
    m_ui.KillTimer(kPlayTimer);
    m_verdict.Check(played, std::string(editorCase.name) + ": opened from the Settings menu");
    m_verdict.Check(test::OpenModalDialog() == nullptr, std::string(editorCase.name) + ": closed");
}

}  // namespace
}  // namespace qv

wxIMPLEMENT_APP_NO_MAIN(qv::EditorsApp);

int main(int argc, char** argv) {
    return wxEntry(argc, argv);
}

// The spectrum view in the desktop front end, on a virtual display: its
// client pixels against qvtool render of the same file at the same size, in
// fitted and zoomed mode; the data parameters panel's labels and legend; and
// cursor dragging with the mouse.
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <thread>
#include <vector>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/imagpng.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "CheckedApp.h"
#include "GuiChecks.h"
#include "MainFrame.h"
#include "MainWindowDriving.h"
#include "Pictures.h"
#include "QvTool.h"
#include "SpectrumWindow.h"
#include "ToolkitApp.h"
#include "ViewReplay.h"
#include "WxCommandIds.h"
#include "WxText.h"
#include "WxUi.h"
#include "app/QvApplication.h"
#include "document/CommandIds.h"
#include "framework/SettingsStore.h"
#include "view/DataParamsTemplate.h"
#include "view/ViewConstants.h"

namespace qv {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::CountDifferences;
using test::GrabClient;
using test::ReadPng;

// A measurement that looks like one: absorption dips in Qv, peaks in Aa.
Measurement SampleMeasurement() {
    Measurement m;
    for (int c = 0; c < kFieldWidth; ++c) {
        const double x = c;
        const double dip =
            1.0 / (1.0 + std::pow((x - 1200) / 40, 2)) + 0.6 / (1.0 + std::pow((x - 2900) / 60, 2));
        const auto i = std::size_t(c);
        m.Qv1[i] = std::uint32_t(50000 - 9000 * dip + (c * 7919) % 300);
        m.Qv2[i] = std::uint32_t(30000 - 4000 * dip + (c * 104729) % 200);
        m.AaAntiCoinc()[i] = std::uint32_t(4000 * std::exp(-std::pow((x - 700) / 50, 2)) + 20);
        m.AaCoinc()[i] = std::uint32_t(2500 * std::exp(-std::pow((x - 2300) / 90, 2)) + 5);
    }
    return m;
}

class ViewTestApp : public test::CheckedApp<ToolkitApp> {
public:
    bool OnInit() override;

private:
    std::string MakeDataFile();
    void RunChecks();
    void CheckPanelLabels();
    void CheckLegend();
    void CheckDragging();
    void CheckShowAndHide();
    void CheckZoomed();
    void CheckZoomedDrag();
    void CheckSimulatedFile();
    bool RunTool(std::vector<std::string> args, const std::string& what);
    void ReportPaintTime();

    SpectrumWindow& View() { return *m_frame->View(); }
    CDataParamsDlg& Panel() { return View().View().DataParams(); }
    wxWindow& PanelWindow() { return *m_ui.WindowOf(Panel()); }
    std::string Readout(int id);
    void Command(int id);
    void WaitForPaint(int before);
    void Move(int x, bool left, bool right);
    void Scroll(wxEventType type, int orientation, int thumb = 0);
    void RepaintAll();
    wxImage Render(const std::string& what, const std::vector<std::string>& options);
    void ComparePixels(const std::string& what, const std::vector<std::string>& options) {
        CompareTo(what, Render(what, options));
    }
    void CompareTo(const std::string& what, const wxImage& expected);

    MemorySettingsStore m_settings;
    WxUi m_ui;
    std::unique_ptr<CQvApp> m_app;
    CMainFrame* m_frame = nullptr;
    std::unique_ptr<test::ViewReplay> m_replay;  // follows the mouse moves while set
    std::filesystem::path m_folder;
    std::string m_file;
};

bool ViewTestApp::OnInit() {
    test::InstallGuiTestGuards(std::chrono::seconds(60));
    if (std::getenv("QV_GUI_DUMP"))
        wxImage::AddHandler(new wxPNGHandler);
    m_file = MakeDataFile();
    m_app = std::make_unique<CQvApp>(m_ui, m_settings,
                                     CQvApp::Options{std::string(QV_TEST_HDW), {}, false});
    if (!m_app->InitInstance(m_file))
        return false;
    m_frame = new CMainFrame(*m_app, m_ui);
    m_app->SetDocumentChangedHandler(
        [this](DocumentChange change) { m_frame->DocumentChanged(change); });
    SetTopWindow(m_frame);
    m_frame->Move(0, 0);
    m_frame->SetClientSize(900, 560);
    m_frame->Show();
    CallAfter([this] { RunChecks(); });
    return true;
}

std::string ViewTestApp::MakeDataFile() {
    m_folder =
        std::filesystem::temp_directory_path() / ("qv-view-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
    const auto path = (m_folder / "sample.qv").string();
    CQvDoc document(m_ui, std::string(QV_TEST_HDW));
    document.OnNewDocument();
    document.Data() = SampleMeasurement();
    document.OnSaveDocument(path);
    return path;
}

void ViewTestApp::RunChecks() {
    WaitForPaint(0);
    // Out of the way of the pixels compared below.
    PanelWindow().Move(1000, 600);
    m_ui.WindowOf(View().View().DataRemark())->Move(1000, 200);
    RepaintAll();
    Check(PanelWindow().IsShown(), "the panel is shown at start-up");
    CheckPanelLabels();
    CheckLegend();
    ComparePixels("fitted view at start-up", {});
    CheckDragging();
    CheckShowAndHide();
    CheckZoomed();
    CheckZoomedDrag();
    CheckSimulatedFile();
    ReportPaintTime();
    m_frame->Close(true);
    std::filesystem::remove_all(m_folder);
}

void ViewTestApp::Command(int id) {
    test::SendCommand(*m_frame, id);
}

// The paint comes from the event loop; the screen has it a moment later.
void ViewTestApp::WaitForPaint(int before) {
    const auto end = Clock::now() + 3s;
    while (View().Paints() <= before && Clock::now() < end) {
        wxYield();
        std::this_thread::sleep_for(5ms);
    }
    for (int i = 0; i < 5; ++i) {
        wxYield();
        std::this_thread::sleep_for(10ms);
    }
    Check(View().Paints() > before, "the view was painted");
}

std::string ViewTestApp::Readout(int id) {
    auto* box = dynamic_cast<wxTextCtrl*>(PanelWindow().FindWindow(id));
    return box ? FromWx(box->GetValue()) : "<missing>";
}

wxImage ViewTestApp::Render(const std::string& what, const std::vector<std::string>& options) {
    const wxSize size = View().GetClientSize();
    const std::string png = (m_folder / "expected.png").string();
    std::vector<std::string> args = {"qvtool",
                                     "render",
                                     m_file,
                                     "-o",
                                     png,
                                     "--size",
                                     std::to_string(size.x) + "x" + std::to_string(size.y)};
    args.insert(args.end(), options.begin(), options.end());
    RunTool(args, what);
    return ReadPng(png);
}

// Both what the window painted and what reached the screen.
void ViewTestApp::CompareTo(const std::string& what, const wxImage& expected) {
    const RgbCanvas* shown = View().Shown();
    wxImage painted(shown->Width(), shown->Height(), false);
    std::copy(shown->Bytes().begin(), shown->Bytes().end(), painted.GetData());
    std::string where;
    const long canvas = CountDifferences(painted, expected, where);
    Check(canvas == 0, what + ": painted pixels differ: " + std::to_string(canvas) + " " + where);
    const wxImage grabbed = GrabClient(View());
    if (std::getenv("QV_GUI_DUMP") && wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        grabbed.SaveFile("/tmp/qv-grab-" + std::to_string(m_verdict.Count()) + ".png",
                         wxBITMAP_TYPE_PNG);
    const long screen = CountDifferences(grabbed, expected, where);
    Check(screen == 0, what + ": screen pixels differ: " + std::to_string(screen) + " " + where);
}

void ViewTestApp::RepaintAll() {
    const int before = View().Paints();
    View().Refresh(true);
    WaitForPaint(before);
}

// Every label fits its control, every control lies in the panel, none overlaps
// another; the read-outs leave room for the boxes' frame and padding.
void ViewTestApp::CheckPanelLabels() {
    const wxRect inside(wxPoint(0, 0), PanelWindow().GetClientSize());
    std::vector<wxWindow*> controls;
    for (wxWindow* child : PanelWindow().GetChildren()) {
        controls.push_back(child);
        const std::string name = FromWx(child->GetLabel());
        Check(inside.Contains(child->GetRect()), "inside the panel: " + name);
        if (dynamic_cast<wxStaticText*>(child) || dynamic_cast<wxCheckBox*>(child) ||
            dynamic_cast<wxButton*>(child))
            Check(child->GetBestSize().x <= child->GetSize().x, "whole label: " + name);
        if (auto* box = dynamic_cast<wxTextCtrl*>(child))
            Check(box->GetTextExtent(box->GetValue()).x + 6 <= box->GetSize().x,
                  "whole value: " + FromWx(box->GetValue()));
    }
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            Check(!controls[i]->GetRect().Intersects(controls[j]->GetRect()),
                  "controls apart: " + FromWx(controls[i]->GetLabel()) + " / " +
                      FromWx(controls[j]->GetLabel()));
    Check(Readout(IDC_DEPTH_QV1).find('.') != std::string::npos, "depth read-out filled");
}

// Beside each show check box the legend has the colour of that row's curve.
void ViewTestApp::CheckLegend() {
    wxStaticBitmap* legend = nullptr;
    for (wxWindow* child : PanelWindow().GetChildren())
        if (auto* picture = dynamic_cast<wxStaticBitmap*>(child))
            legend = picture;
    Check(legend != nullptr, "legend bitmap present");
    if (!legend)
        return;
    const wxImage image = legend->GetBitmap().ConvertToImage();
    const std::vector<std::pair<int, Rgb>> rows = {{IDC_SHOW_SUM, kSumColour},
                                                   {IDC_SHOW_COINC, kCoincColour},
                                                   {IDC_SHOW_ANTICOINC, kAntiCoincColour},
                                                   {IDC_SHOW_QV2, kQv2Colour},
                                                   {IDC_SHOW_QV1, kQv1Colour}};
    for (const auto& [id, colour] : rows) {
        const wxRect row = PanelWindow().FindWindow(id)->GetRect();
        const int y = row.y + row.height / 2 - legend->GetPosition().y;
        const int x = image.GetWidth() / 2;
        const bool inside = y >= 0 && y < image.GetHeight();
        Check(inside && image.GetRed(x, y) == colour.r && image.GetGreen(x, y) == colour.g &&
                  image.GetBlue(x, y) == colour.b,
              "legend colour beside row " + std::to_string(id));
    }
}

void ViewTestApp::Move(int x, bool left, bool right) {
    const int before = View().Paints();
    wxMouseEvent move(wxEVT_MOTION);
    move.m_x = x;
    move.m_y = 100;
    move.m_leftDown = left;
    move.m_rightDown = right;
    move.SetEventObject(&View());
    View().ProcessWindowEvent(move);
    if (m_replay)
        m_replay->Move((left ? MK_LBUTTON : 0u) | (right ? MK_RBUTTON : 0u), {x, 100});
    if (left || right)
        WaitForPaint(before);
}

// A drag repaints only around the old cursors, over what the window kept: the
// result is what the view makes of the same moves on a kept canvas, and a full
// repaint then gives the picture with the cursors where the mouse put them.
void ViewTestApp::CheckDragging() {
    const wxSize client = View().GetClientSize();
    m_replay = std::make_unique<test::ViewReplay>(m_app->Document(), CSize{client.x, client.y});
    const double scale = double(kFieldWidth) / View().GetClientSize().x;
    Move(200, false, false);
    Check(Readout(IDC_LEFT_CURSOR) == "1000", "a move without buttons leaves the cursors");
    Move(300, true, false);
    const int left = int(300 * scale);
    Check(Readout(IDC_LEFT_CURSOR) == std::to_string(left), "left drag moves the left cursor");
    Check(Readout(IDC_CURSOR_SPAN) == std::to_string(3000 - left), "distance follows");
    const auto& data = m_app->Document().Data();
    Check(Readout(IDC_LEFT_QV1) == std::to_string(data.Qv1[std::size_t(left)]),
          "Qv1 at the left cursor");
    Move(650, false, true);
    const int right = int(650 * scale);
    Check(Readout(IDC_RIGHT_CURSOR) == std::to_string(right), "right drag moves the right cursor");
    Check(Readout(IDC_RIGHT_SUM) == std::to_string(data.AaSum(std::size_t(right))),
          "Aa sum at the right cursor");
    CompareTo("partial repaints of a drag", m_replay->Image());
    RepaintAll();
    ComparePixels("after dragging",
                  {"--cursors", std::to_string(left) + "," + std::to_string(right)});
    Move(700, true, false);
    const int both = int(700 * scale);
    Check(Readout(IDC_RIGHT_CURSOR) == std::to_string(both) && Readout(IDC_CURSOR_SPAN) == "0",
          "the left cursor pushes the right one");
    CompareTo("partial repaints of a push", m_replay->Image());
    m_replay.reset();
    RepaintAll();
    ComparePixels("cursors together",
                  {"--cursors", std::to_string(both) + "," + std::to_string(both)});
}

void ViewTestApp::CheckShowAndHide() {
    const std::string cursors = Readout(IDC_LEFT_CURSOR) + "," + Readout(IDC_RIGHT_CURSOR);
    int before = View().Paints();
    wxCommandEvent uncheck(wxEVT_CHECKBOX, IDC_SHOW_QV1);
    PanelWindow().FindWindow(IDC_SHOW_QV1)->ProcessWindowEvent(uncheck);
    WaitForPaint(before);
    ComparePixels("Qv1 not shown", {"--cursors", cursors, "--hide", "qv1"});
    before = View().Paints();
    PanelWindow().FindWindow(IDC_SHOW_QV1)->ProcessWindowEvent(uncheck);
    WaitForPaint(before);
    before = View().Paints();
    wxCommandEvent hide(wxEVT_BUTTON, IDC_HIDE);
    PanelWindow().FindWindow(IDC_HIDE)->ProcessWindowEvent(hide);
    WaitForPaint(before);
    Check(!PanelWindow().IsShown(), "Hide hides the panel");
    ComparePixels("measure mode off", {"--cursors", cursors, "--no-measure"});
    before = View().Paints();
    Command(ID_MEASURE_DATA);
    WaitForPaint(before);
    Check(PanelWindow().IsShown(), "Measure Data shows the panel again");
    PanelWindow().Move(1000, 600);
    m_ui.WindowOf(View().View().DataRemark())->Move(1000, 200);
    RepaintAll();
    ComparePixels("measure mode on again", {"--cursors", cursors});
}

void ViewTestApp::Scroll(wxEventType type, int orientation, int thumb) {
    const int before = View().Paints();
    wxScrollWinEvent event(type, thumb, orientation);
    event.SetEventObject(&View());
    View().ProcessWindowEvent(event);
    WaitForPaint(before);
}

// Page and line are a tenth of the total and of the page.
void ViewTestApp::CheckZoomed() {
    const wxSize fitted = View().GetClientSize();
    int before = View().Paints();
    Command(ID_TOGGLE_ZOOM);
    WaitForPaint(before);
    Check(View().HasScrollbar(wxHORIZONTAL) && View().HasScrollbar(wxVERTICAL),
          "zoomed view has both scroll bars");
    Scroll(wxEVT_SCROLLWIN_PAGEDOWN, wxHORIZONTAL);
    Check(View().ScrollPosition().x == 409, "page right: 409 pixels");
    Scroll(wxEVT_SCROLLWIN_LINEDOWN, wxHORIZONTAL);
    Check(View().ScrollPosition().x == 449, "line right: 40 pixels more");
    Scroll(wxEVT_SCROLLWIN_THUMBTRACK, wxHORIZONTAL, 1500);
    Check(View().ScrollPosition().x == 1500, "thumb dragged to 1500");
    Check(View().GetScrollPos(wxHORIZONTAL) == 1500, "the bar shows the position");
    Scroll(wxEVT_SCROLLWIN_PAGEDOWN, wxVERTICAL);
    Check(View().ScrollPosition().y == 76, "page down: 76 pixels");
    const std::string cursors = Readout(IDC_LEFT_CURSOR) + "," + Readout(IDC_RIGHT_CURSOR);
    ComparePixels("zoomed and scrolled", {"--zoom", "--scroll", "1500,76", "--cursors", cursors});
    Scroll(wxEVT_SCROLLWIN_BOTTOM, wxVERTICAL);
    const int bottom = kFieldHeight - View().GetClientSize().y;
    Check(View().ScrollPosition().y == bottom, "bottom of the field");
    ComparePixels("zoomed at the bottom",
                  {"--zoom", "--scroll", "1500," + std::to_string(bottom), "--cursors", cursors});
    before = View().Paints();
    Command(ID_TOGGLE_ZOOM);
    WaitForPaint(before);
    Check(View().GetClientSize() == fitted && View().ScrollPosition() == CPoint{},
          "back to fitted: no scroll bars, position 0, 0");
    ComparePixels("fitted again", {"--cursors", cursors});
}

// In zoomed mode the channel is the pixel plus the scroll position.
void ViewTestApp::CheckZoomedDrag() {
    int before = View().Paints();
    Command(ID_TOGGLE_ZOOM);
    WaitForPaint(before);
    Scroll(wxEVT_SCROLLWIN_THUMBTRACK, wxHORIZONTAL, 2000);
    Move(100, true, false);
    Move(260, false, true);
    Check(Readout(IDC_LEFT_CURSOR) == "2100" && Readout(IDC_RIGHT_CURSOR) == "2260",
          "zoomed drag: pixel plus scroll position");
    const std::string scroll = "2000," + std::to_string(View().ScrollPosition().y);
    RepaintAll();
    ComparePixels("zoomed drag", {"--zoom", "--scroll", scroll, "--cursors", "2100,2260"});
    before = View().Paints();
    Command(ID_TOGGLE_ZOOM);
    WaitForPaint(before);
}

bool ViewTestApp::RunTool(std::vector<std::string> args, const std::string& what) {
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    std::ostringstream out, err;
    const bool ok = tool::RunQvTool(int(argv.size()), argv.data(), out, err) == 0;
    Check(ok, what + ": " + args[1] + " " + err.str());
    return ok;
}

// A measurement of the virtual spectrometer, opened as File Open opens it.
void ViewTestApp::CheckSimulatedFile() {
    const std::string simulated = (m_folder / "simulated.qv").string();
    if (!RunTool({"qvtool", "simulate", "-o", simulated, "--seconds", "600"}, "simulated file"))
        return;
    m_file = simulated;
    int before = View().Paints();
    Check(m_app->OpenDocumentFile(simulated), "the simulated file opens");
    WaitForPaint(before);
    RepaintAll();
    const std::string cursors = Readout(IDC_LEFT_CURSOR) + "," + Readout(IDC_RIGHT_CURSOR);
    ComparePixels("simulated file, fitted", {"--cursors", cursors});
    before = View().Paints();
    Command(ID_TOGGLE_ZOOM);
    WaitForPaint(before);
    Scroll(wxEVT_SCROLLWIN_THUMBTRACK, wxHORIZONTAL, 1800);
    const std::string scroll = "1800," + std::to_string(View().ScrollPosition().y);
    RepaintAll();
    ComparePixels("simulated file, zoomed", {"--zoom", "--scroll", scroll, "--cursors", cursors});
    before = View().Paints();
    Command(ID_TOGGLE_ZOOM);
    WaitForPaint(before);
}

// Not a check: how long a full repaint of a large window takes, for the log.
void ViewTestApp::ReportPaintTime() {
    m_frame->SetClientSize(1920, 1080);
    WaitForPaint(View().Paints());
    constexpr int kRounds = 20;
    Clock::duration total{};
    for (int i = 0; i < kRounds; ++i) {
        const int before = View().Paints();
        const auto start = Clock::now();
        View().Refresh(true);
        while (View().Paints() == before && Clock::now() - start < 2s)
            wxYield();
        total += Clock::now() - start;
    }
    std::cout << "full repaint at " << View().GetClientSize().x << "x" << View().GetClientSize().y
              << ", from request to painted: "
              << std::chrono::duration_cast<std::chrono::microseconds>(total / kRounds).count()
              << " us\n";
}

}  // namespace
}  // namespace qv

wxIMPLEMENT_APP_NO_MAIN(qv::ViewTestApp);

int main(int argc, char** argv) {
    return wxEntry(argc, argv);
}

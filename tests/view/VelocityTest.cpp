// The velocity scale below the front end: the renderer, the run quality, the
// program's calibration and the calibration window without its window.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "analysis/CalibrationFile.h"
#include "analysis/RunQuality.h"
#include "analysis/SyntheticSpectrum.h"
#include "document/QvDoc.h"
#include "document/TempDir.h"
#include "framework/HeadlessUi.h"
#include "view/CalibrationDlg.h"
#include "view/CalibrationTemplate.h"
#include "view/ProgramCalibration.h"
#include "view/VelocityRenderer.h"

namespace qv {
namespace {

namespace syn = analysis::testing;

std::vector<std::uint32_t> Foil(double baseline = 1e5) {
    syn::Sweep sweep;
    sweep.baseline = baseline;
    return syn::Measure(sweep, syn::AlphaIronFoil(), 3);
}

// The column of the canvas whose lowest Qv1 point lies lowest: the deepest dip.
int DeepestColumn(const RgbCanvas& canvas) {
    int column = -1, deepest = -1;
    for (int x = 0; x < canvas.Width(); ++x) {
        for (int y = canvas.Height() - 1; y > deepest; --y) {
            if (canvas.Pixel(x, y) == kVelocityQv1Colour) {
                deepest = y;
                column = x;
            }
        }
    }
    return column;
}

// One line at +3 mm/s, on the scale of a foil measured with the same sweep:
// a mirrored axis would put it at -3.
TEST(VelocityRenderer, DrawsALineAtItsVelocityTheSameOnEveryThread) {
    const auto cal = analysis::Calibrate(Foil()).calibration;
    ASSERT_TRUE(cal);
    const auto counts = syn::Measure(syn::Sweep{}, {{3.0, 0.3, 0.14}}, 4);
    const std::vector<VelocityTrace> traces = {{"Qv1", counts, kVelocityQv1Colour}};
    RgbCanvas a(1200, 700), b(1200, 700);
    VelocityPlotFrame frame;
    std::thread other([&] { VelocityRenderer().Draw(b, traces, &*cal, {}); });
    frame = VelocityRenderer().Draw(a, traces, &*cal, {});
    other.join();
    EXPECT_EQ(a.Bytes(), b.Bytes());
    ASSERT_GT(frame.field.right, frame.field.left);
    const double dip = frame.VelocityAt(DeepestColumn(a));
    EXPECT_NEAR(dip, 3.0, 0.05);
    EXPECT_NEAR(frame.vMin, -cal->maxVelocity, 0.05);

    VelocityRenderer renderer;
    EXPECT_EQ(renderer.Draw(a, traces, nullptr, {}).field, CRect{});
    EXPECT_EQ(DeepestColumn(a), -1) << "no points without a calibration";
}

TEST(RunQuality, MedianBaselineDeepestLineAndItsSignalToNoise) {
    std::vector<analysis::VelocityPoint> points(400, {0, 10000});
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].velocity = static_cast<double>(i);
    }
    for (std::size_t i = 100; i < 120; ++i) {
        points[i].counts = 9000;  // a line 10 % deep
    }
    points[300].counts = 0;  // one dead channel is no line
    const auto q = analysis::MeasureRunQuality(points);
    ASSERT_TRUE(q);
    EXPECT_DOUBLE_EQ(q->baseline, 10000);
    EXPECT_NEAR(q->depth, 0.10, 1e-12);
    EXPECT_NEAR(q->signalToNoise, 0.10 * 10000 / 100, 1e-9);
    EXPECT_FALSE(analysis::MeasureRunQuality(std::vector<analysis::VelocityPoint>(5)));
}

TEST(ProgramCalibration, UseStoresBesideTheDataFileAndTheProfileRemembers) {
    test::TempDir dir;
    MemorySettingsStore profile;
    const auto cal = analysis::Calibrate(Foil()).calibration;
    ASSERT_TRUE(cal);
    {
        ProgramCalibration program(profile);
        EXPECT_EQ(program.Get(), nullptr);
        int changes = 0;
        program.OnChange([&] { ++changes; });
        EXPECT_EQ(program.Use(*cal, "Qv2", dir / "iron.qv"), "");
        EXPECT_EQ(program.File(), dir / "iron.cal.json");
        EXPECT_EQ(changes, 1);
    }
    std::ostringstream why;
    const auto file = analysis::LoadCalibration(dir / "iron.cal.json", why);
    ASSERT_TRUE(file) << why.str();
    EXPECT_EQ(file->velocityPerChannel, cal->velocityPerChannel);
    EXPECT_EQ(file->lines[5].position, cal->lines[5].position);

    ProgramCalibration again(profile);
    ASSERT_NE(again.Get(), nullptr);
    EXPECT_EQ(again.Get()->zeroChannel, cal->zeroChannel);
    EXPECT_EQ(again.Spectrum(), "Qv2");
    EXPECT_EQ(again.File(), dir / "iron.cal.json");

    // A folder that is not there: the profile takes it, the file cannot be.
    EXPECT_NE(again.Use(*cal, "Qv1", dir / "gone/iron.qv").find(dir / "gone/iron.cal.json"),
              std::string::npos);
    EXPECT_EQ(again.File(), "");
    EXPECT_EQ(ProgramCalibration(profile).Spectrum(), "Qv1");

    profile.Write(kCalibrationSection, kCalibrationJsonKey, "{\"channels\": 4096");
    EXPECT_EQ(ProgramCalibration(profile).Get(), nullptr);
    // A folding point far outside the memory would fold out of it.
    auto far = analysis::CalibrationJson(*cal, "Qv1");
    far["foldingPoint"] = 1e300;
    profile.Write(kCalibrationSection, kCalibrationJsonKey, far.dump());
    EXPECT_EQ(ProgramCalibration(profile).Get(), nullptr);
}

TEST(CalibrationDlg, RefusesAnEmptySpectrumAsQvtoolDoesAndUsesAFoil) {
    test::TempDir dir;
    HeadlessUi ui;
    MemorySettingsStore profile;
    ProgramCalibration program(profile);
    CQvDoc doc(ui, std::nullopt);
    const auto foil = Foil();
    std::copy(foil.begin(), foil.end(), doc.Data().Qv2.begin());
    doc.SetPathName(dir / "foil.qv");
    CCalibrationDlg dialog(ui, doc, program);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.GetDlgItemText(IDC_CAL_STATUS), "Qv1: the spectrum holds no counts");
    EXPECT_FALSE(dialog.Control(IDC_CAL_USE).enabled);
    EXPECT_EQ(dialog.GetDlgItemText(IDC_CAL_FOLDING), "");

    dialog.ClickRadio(IDC_CAL_QV2);
    EXPECT_TRUE(dialog.Control(IDC_CAL_USE).enabled);
    const auto shown = [&](int id) { return std::stod(dialog.GetDlgItemText(id)); };
    EXPECT_NEAR(shown(IDC_CAL_FOLDING), 2047.5, 0.1);
    EXPECT_NEAR(shown(CalibrationLineId(0, 0)), -5.312, 0.005);
    EXPECT_NEAR(shown(CalibrationLineId(5, 2)), 15.0, 0.2);  // per cent of the baseline
    EXPECT_NEAR(shown(CalibrationLineId(2, 3)), 0, 0.01);    // residual
    RgbCanvas picture(500, 300);
    EXPECT_TRUE(dialog.DrawPicture(IDC_CAL_PICTURE, picture));
    EXPECT_FALSE(dialog.DrawPicture(IDC_CAL_STATUS, picture));

    dialog.OnCommand(IDC_CAL_USE);
    ASSERT_NE(program.Get(), nullptr);
    EXPECT_EQ(program.Spectrum(), "Qv2");
    EXPECT_EQ(program.File(), dir / "foil.cal.json");
    EXPECT_NE(dialog.GetDlgItemText(IDC_CAL_STATUS).find("foil.cal.json"), std::string::npos);
}

}  // namespace
}  // namespace qv

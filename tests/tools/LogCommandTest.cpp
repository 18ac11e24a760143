// qvtool log: a run log from a day on the virtual card, summed up and drawn.
#include <png.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

#include <nlohmann/json.hpp>

#include "QvToolFixture.h"
#include "document/QvDoc.h"
#include "document/RunLog.h"
#include "editors/DocumentEditors.h"
#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"
#include "simulator/SimulatedRun.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv::tool {
namespace {

// 2024-05-01T08:00:00Z
const auto kMorning = std::chrono::system_clock::from_time_t(1714550400);

// A counting run on the virtual card with a capture every `interval` card
// seconds, logged with the card's clock; the capture numbered `failAt` finds
// no card.
void LogAVirtualRun(const std::string& log, int captures, std::uint32_t interval, int failAt = -1) {
    ManualTickClock clock;
    VirtualSpectrometer card(clock);
    HardwareGlobals& globals = HardwareGlobals::Instance();
    globals.SetBus(card);
    globals.SetClock(clock);
    sim::SimulatedRun run(clock);
    ASSERT_EQ(run.Configure(), 0);
    ASSERT_EQ(run.ClearAndStart(), 0);
    HeadlessUi ui;
    CQvDoc doc(ui, std::nullopt);
    DocumentEditors editors;
    doc.SetHardwareEditors(&editors);
    doc.SetRunLogPath(log);
    doc.GetRunLog().SetClock(
        [&clock] { return kMorning + std::chrono::milliseconds(clock.GetTickCount()); });
    for (int i = 0; i < captures; ++i) {
        run.Wait(interval);
        if (i == failAt) {
            globals.Reset();
            globals.SetClock(clock);
            EXPECT_EQ(doc.CaptureHardwareState(), 2);
            globals.SetBus(card);
        } else {
            EXPECT_EQ(doc.CaptureHardwareState(), 0);
        }
    }
    globals.Reset();
}

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    bool IsBackground(int x, int y) const {
        const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
        return rgb[at] == 255 && rgb[at + 1] == 255 && rgb[at + 2] == 255;
    }
};

Picture ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Picture p;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return p;
    }
    image.format = PNG_FORMAT_RGB;
    p.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, p.rgb.data(), 0, nullptr) != 0) {
        p.width = static_cast<int>(image.width);
        p.height = static_cast<int>(image.height);
    }
    return p;
}

TEST_F(QvToolTest, LogSumsUpADayOfCaptures) {
    const std::string log = Path("day.log.csv");
    LogAVirtualRun(log, 24, 3600, 5);
    ASSERT_EQ(Run({"log", log}), 0) << m_err.str();
    const std::string out = m_out.str();
    EXPECT_NE(out.find("24 captures (1 failed), 0 lines skipped"), std::string::npos) << out;
    EXPECT_NE(out.find("from 2024-05-01T"), std::string::npos) << out;
    EXPECT_NE(out.find("(23 h 00 min 00 s)"), std::string::npos) << out;
    EXPECT_NE(out.find("Qv1 rate [1/s]"), std::string::npos) << out;
    EXPECT_EQ(m_err.str(), "");

    ASSERT_EQ(Run({"log", log, "--json"}), 0) << m_err.str();
    const auto j = nlohmann::json::parse(m_out.str());
    EXPECT_EQ(j["captures"], 24);
    EXPECT_EQ(j["failed"], 1);
    EXPECT_EQ(j["skipped"], 0);
    EXPECT_EQ(j["span_seconds"], 23 * 3600);
    for (const char* key : {"qv1_rate", "qv2_rate", "dead_time_pct"}) {
        const double lo = j[key]["min"];
        const double mean = j[key]["mean"];
        const double hi = j[key]["max"];
        EXPECT_LE(lo, mean) << key;
        EXPECT_LE(mean, hi) << key;
        EXPECT_GT(hi, 0) << key;
    }
}

TEST_F(QvToolTest, LogSkipsATornLineAndLaterAppendsStillCount) {
    const std::string log = Path("torn.log.csv");
    LogAVirtualRun(log, 3, 60);
    {
        std::ofstream torn(log, std::ios::binary | std::ios::app);
        torn << "2024-05-01T08:04:00+00:00,70";  // the power went here
    }
    ASSERT_EQ(Run({"log", log}), 0);
    EXPECT_NE(m_out.str().find("3 captures (0 failed), 1 lines skipped"), std::string::npos)
        << m_out.str();
    EXPECT_EQ(m_err.str(), log + ":5: line skipped (2 columns instead of 12)\n");
    // The next capture after the power came back.
    RunLogRecord record;
    record.time = 1714550700;
    ASSERT_EQ(AppendRunLogLine(log, FormatRunLogLine(record)), "");
    ASSERT_EQ(Run({"log", log}), 0);
    EXPECT_NE(m_out.str().find("4 captures (0 failed), 1 lines skipped"), std::string::npos)
        << m_out.str();
}

TEST_F(QvToolTest, LogRefusesWhatItCannotRead) {
    EXPECT_EQ(Run({"log", Path("none.csv")}), 1);
    EXPECT_EQ(m_err.str(),
              "cannot read the run log " + Path("none.csv") + ": No such file or directory\n");
    const std::string empty = Path("empty.csv");
    std::ofstream(empty) << RunLogHeader() << '\n';
    EXPECT_EQ(Run({"log", empty}), 0);
    EXPECT_EQ(m_out.str(), empty + ": 0 captures (0 failed), 0 lines skipped\n");
    // An empty file or another file's lines are not a run that captured nothing.
    for (const std::string& text : {std::string(), std::string("read hv\nwait 5\n")}) {
        std::ofstream(Path("other")) << text;
        EXPECT_EQ(Run({"log", Path("other")}), 1);
        EXPECT_NE(m_err.str().find("log: " + Path("other") + " is not a run log"),
                  std::string::npos)
            << m_err.str();
    }
    EXPECT_EQ(Run({"log", empty, "--plot", Path("e.png")}), 1);
    EXPECT_FALSE(std::filesystem::exists(Path("e.png")));
    EXPECT_EQ(Run({"log", empty, "--plot", Path("e.png"), "--size", "20x20"}), 1);
    EXPECT_NE(m_err.str().find("--size wants WxH"), std::string::npos);
}

TEST_F(QvToolTest, LogPlotDrawsTheRunIntoAPngOfTheAskedSize) {
    const std::string log = Path("plot.log.csv");
    LogAVirtualRun(log, 48, 1800, 20);
    const std::string png = Path("plot.png");
    ASSERT_EQ(Run({"log", log, "--plot", png, "--size", "900x500"}), 0) << m_err.str();
    const Picture p = ReadPng(png);
    ASSERT_EQ(p.width, 900);
    ASSERT_EQ(p.height, 500);
    // Ink in the middle of the plot area, where only the curves go.
    int inked = 0;
    for (int y = 100; y < 400; ++y) {
        for (int x = 150; x < 750; ++x) {
            inked += p.IsBackground(x, y) ? 0 : 1;
        }
    }
    EXPECT_GT(inked, 1000);
    // And none in the outermost corners.
    EXPECT_TRUE(p.IsBackground(0, 0) && p.IsBackground(899, 499));
    if (const char* folder = std::getenv("QV_PICTURES")) {
        LogAVirtualRun(Path("picture.log.csv"), 96, 900, 40);
        EXPECT_EQ(Run({"log", Path("picture.log.csv"), "--plot",
                       (std::filesystem::path(folder) / "run-log.png").string()}),
                  0);
    }
}

TEST_F(QvToolTest, SimulateAppendsItsCaptureToTheRunLog) {
    const std::string log = Path("sim.log.csv");
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(Run({"simulate", "-o", Path("s.qv"), "--seconds", "5", "--log", log}), 0)
            << m_err.str();
    }
    const std::string text = Read(log);
    EXPECT_EQ(text.rfind(RunLogHeader(), 0), 0u);
    EXPECT_EQ(text.find(RunLogHeader(), 1), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_EQ(text.back(), '\n');
    // Without --log the simulated measurement keeps no log.
    ASSERT_EQ(Run({"simulate", "-o", Path("quiet.qv"), "--seconds", "1"}), 0);
    EXPECT_FALSE(std::filesystem::exists(Path("quiet.log.csv")));
}

}  // namespace
}  // namespace qv::tool

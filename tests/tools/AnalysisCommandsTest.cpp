// qvtool calibrate, fold, convert and diff on files as qvtool writes them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "QvTool.h"
#include "simulator/VelocityModel.h"

namespace qv::tool {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

// Offsets in a data file with an empty remark.
constexpr std::size_t kCounters = 33;
constexpr std::size_t kAnalogue = 85;
constexpr std::size_t kHighVoltage = 145;
constexpr std::size_t kVibrator = 165;

class AnalysisCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("qvtool-analysis-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "qvtool");
        std::vector<const char*> argv;
        for (const auto& a : args) {
            argv.push_back(a.c_str());
        }
        m_out.str({});
        m_err.str({});
        return RunQvTool(static_cast<int>(argv.size()), argv.data(), m_out, m_err);
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Patch(const std::string& path, std::size_t offset, std::int32_t value) {
        std::fstream f(path, std::ios::binary | std::ios::in | std::ios::out);
        f.seekp(static_cast<std::streamoff>(offset));
        f.write(reinterpret_cast<const char*>(&value), sizeof value);
    }

    fs::path m_dir;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(AnalysisCommandsTest, CalibratesADayOnTheVirtualCard) {
    ASSERT_EQ(Run({"simulate", "-o", Path("day.qv"), "--seconds", "86400", "--seed", "5"}), 0)
        << m_err.str();
    ASSERT_EQ(Run({"calibrate", Path("day.qv"), "--json", "-o", Path("cal.json")}), 0)
        << m_err.str();
    const Json json = Json::parse(m_out.str());
    EXPECT_EQ(Json::parse(Read(Path("cal.json"))), json);
    const double lines[] = {-5.312, -3.076, -0.840, 0.840, 3.076, 5.312};
    ASSERT_EQ(json["lines"].size(), 6u);
    for (int k = 0; k < 6; ++k) {
        EXPECT_NEAR(json["lines"][k]["position"].get<double>(), lines[k], 0.02) << k;
        EXPECT_NEAR(json["lines"][k]["residual"].get<double>(), 0, 0.02) << k;
    }
    // The card drives amplitude 80 in the high range: 8.48 mm/s asked for, less
    // what a gain of 512 loses in tracking. Two reference samples per channel.
    const double nominalPeak = 80 * sim::kVelocityPerStepHigh;
    const double trackedPeak = nominalPeak * 512 / (512 + 8.0);
    const double perChannel = json["velocityPerChannel"].get<double>();
    EXPECT_NEAR(perChannel / (2 * trackedPeak / 2047.5), 1, 0.002);
    EXPECT_LT(perChannel / (2 * nominalPeak / 2047.5), 0.99);
    EXPECT_NEAR(json["foldingPoint"].get<double>(), 2047.5, 0.1);
    EXPECT_NEAR(json["zeroChannel"].get<double>(), 1023.5, 0.1);
    EXPECT_NEAR(json["maxVelocity"].get<double>(), trackedPeak, 0.01);
    EXPECT_LT(json["chi2"].get<double>(), 1.2);

    ASSERT_EQ(
        Run({"fold", Path("day.qv"), "--calibration", Path("cal.json"), "-o", Path("day.txt")}), 0)
        << m_err.str();
    const std::string folded = Read(Path("day.txt"));
    EXPECT_EQ(folded.rfind("# remark:\n# spectrum: Qv1\n# calibration: " + Path("cal.json") +
                               "\n# folding point: 2047.",
                           0),
              0u);
    EXPECT_EQ(std::count(folded.begin(), folded.end(), '\n'), 8 + 2048);

    ASSERT_EQ(Run({"render", Path("day.qv"), "--velocity", Path("cal.json"), "-o", Path("day.png"),
                   "--size", "640x400"}),
              0)
        << m_err.str();
    EXPECT_EQ(Read(Path("day.png")).substr(1, 3), "PNG");
    EXPECT_NE(
        Run({"render", Path("day.qv"), "--velocity", Path("missing.json"), "-o", Path("no.png")}),
        0);
    EXPECT_EQ(m_err.str(), "cannot read the calibration " + Path("missing.json") +
                               ": No such file or directory\n");
}

TEST_F(AnalysisCommandsTest, NoSextetIsSaidPlainly) {
    ASSERT_EQ(Run({"new", Path("empty.qv")}), 0);
    EXPECT_EQ(Run({"calibrate", Path("empty.qv"), "-o", Path("cal.json")}), 1);
    EXPECT_EQ(m_err.str(), "calibrate: Qv1: the spectrum holds no counts\n");
    EXPECT_FALSE(fs::exists(Path("cal.json")));
    ASSERT_EQ(Run({"simulate", "-o", Path("short.qv"), "--seconds", "1", "--rate", "50"}), 0);
    EXPECT_EQ(Run({"calibrate", Path("short.qv")}), 1);
    EXPECT_NE(m_err.str().find("no \u03b1-iron sextet"), std::string::npos) << m_err.str();
    EXPECT_TRUE(m_out.str().empty());
}

TEST_F(AnalysisCommandsTest, VelocityLayoutWantsACalibration) {
    ASSERT_EQ(Run({"new", Path("a.qv")}), 0);
    EXPECT_EQ(Run({"convert", Path("a.qv"), "--to", "velocity", "-o", Path("a.txt")}), 1);
    EXPECT_EQ(m_err.str(),
              "the velocity layout needs --calibration CAL.json (from qvtool calibrate)\n");
    EXPECT_FALSE(fs::exists(Path("a.txt")));
    EXPECT_NE(Run({"convert", Path("a.qv"), "--to", "xml", "-o", Path("a.txt")}), 0);
}

TEST_F(AnalysisCommandsTest, SpeIsDatedWhenTheFileWasSaved) {
    ASSERT_EQ(Run({"new", Path("a.qv"), "--remark", "foil"}), 0);
    setenv("TZ", "UTC", 1);
    tzset();
    const auto when = std::chrono::sys_days{std::chrono::March / 14 / 2024} +
                      std::chrono::hours(9) + std::chrono::minutes(26) + std::chrono::seconds(53);
    fs::last_write_time(Path("a.qv"), std::chrono::file_clock::from_sys(when));
    ASSERT_EQ(Run({"convert", Path("a.qv"), "--to", "spe", "-o", Path("a.spe")}), 0) << m_err.str();
    const std::string spe = Read(Path("a.spe"));
    const std::string header =
        "$SPEC_ID:\r\nfoil\r\n$SPEC_REM:\r\nDET# 1\r\nDETDESC# qv AaSum\r\nAP# qvtool\r\n"
        "$DATE_MEA:\r\n03/14/2024 09:26:53\r\n$MEAS_TIM:\r\n0 0\r\n$DATA:\r\n0 4095\r\n";
    EXPECT_EQ(spe.rfind(header, 0), 0u);
    EXPECT_EQ(spe.size(), header.size() + 10u * 4096);
}

TEST_F(AnalysisCommandsTest, ConvertWritesEachLayout) {
    ASSERT_EQ(Run({"new", Path("a.qv")}), 0);
    ASSERT_EQ(Run({"convert", Path("a.qv"), "--to", "ascii", "-o", Path("a.txt")}), 0);
    EXPECT_EQ(fs::file_size(Path("a.txt")), 2u * 4096);
    ASSERT_EQ(Run({"convert", Path("a.qv"), "--to", "csv", "-o", Path("a.csv")}), 0);
    EXPECT_EQ(
        Read(Path("a.csv"))
            .rfind("channel,Qv1,Qv2,AaAntiCoinc,AaCoinc,AaSum\r\n0,0,0,0,0,0\r\n1,0,0,0,0,0\r\n",
                   0),
        0u);
    ASSERT_EQ(
        Run({"convert", Path("a.qv"), "--to", "ws5", "--spectrum", "qv2", "-o", Path("a.ws5")}), 0);
    EXPECT_EQ(
        Read(Path("a.ws5")).rfind("<WS5>\r\n<REMARK></REMARK>\r\n<SPECTRUM>Qv2</SPECTRUM>\r\n", 0),
        0u);
}

TEST_F(AnalysisCommandsTest, DiffNamesOneFieldOfEachBlock) {
    ASSERT_EQ(Run({"new", Path("a.qv")}), 0);
    fs::copy_file(Path("a.qv"), Path("b.qv"));
    Patch(Path("b.qv"), kCounters + 4 * 3, 5000);    // Qv1CyclesStart
    Patch(Path("b.qv"), kAnalogue + 4 * 3, 2);       // SignalTau
    Patch(Path("b.qv"), kHighVoltage + 4 * 0, 600);  // HvDesired
    Patch(Path("b.qv"), kVibrator + 4 * 7, 240);     // L
    ASSERT_EQ(Run({"diff", Path("a.qv"), Path("b.qv"), "--json"}), 0) << m_err.str();
    const Json json = Json::parse(m_out.str());
    const Json& d = json["differences"];
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d[0]["block"], "counters");
    EXPECT_EQ(d[0]["field"], "Qv1CyclesStart");
    EXPECT_EQ(d[0]["b"], "5000");
    EXPECT_EQ(d[1]["field"], "SignalTau");
    EXPECT_EQ(d[2]["field"], "HvDesired");
    EXPECT_EQ(d[2]["unit"], "V");
    EXPECT_EQ(d[3]["field"], "L");
    EXPECT_EQ(d[3]["unit"], "Hz");
    EXPECT_NEAR(d[3]["bValue"].get<double>(), 5.72205, 1e-5);
    EXPECT_EQ(json["b"]["qv1Cycles"], 5000);

    ASSERT_EQ(Run({"diff", Path("a.qv"), Path("b.qv")}), 0);
    const std::string text = m_out.str();
    EXPECT_NE(text.find("counters.Qv1CyclesStart: 0 -> 5000\n"), std::string::npos) << text;
    EXPECT_NE(text.find("analogue.SignalTau: 0 -> 2\n"), std::string::npos);
    EXPECT_NE(text.find("highVoltage.HvDesired: 0 (0 V) -> 600 (0 V)\n"), std::string::npos);
    EXPECT_NE(text.find("vibrator.L: 0 (0.357628 Hz) -> 240 (5.72205 Hz)\n"), std::string::npos);

    ASSERT_EQ(Run({"diff", Path("a.qv"), Path("a.qv")}), 0);
    EXPECT_EQ(m_out.str().rfind("the settings are the same\n", 0), 0u);
}

}  // namespace
}  // namespace qv::tool

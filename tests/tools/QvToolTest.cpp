#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>

#include "ProgramVersion.h"

#include "tools/QvToolFixture.h"

namespace qv::tool {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

TEST_F(QvToolTest, NewWritesTheNewDocumentFile) {
    ASSERT_EQ(Run({"new", Path("a.qv")}), 0);
    EXPECT_EQ(fs::file_size(Path("a.qv")), 65733u);
    const std::string bytes = Read(Path("a.qv"));
    EXPECT_EQ(bytes.substr(0, 16), "\x0FZ_uJ1S_hU9t_g4Z");
}

TEST_F(QvToolTest, RemarkTravelsAsWindows1252AndComesBackAsUtf8) {
    ASSERT_EQ(Run({"new", Path("a.qv"), "--remark", "Gr\u00fc\u00dfe \u20ac"}), 0);
    const std::string bytes = Read(Path("a.qv"));
    EXPECT_EQ(bytes.substr(20, 8), std::string("\x07Gr\xFC\xDF"
                                               "e \x80"));
    ASSERT_EQ(Run({"info", Path("a.qv"), "--json"}), 0);
    EXPECT_EQ(Json::parse(m_out.str())["remark"], "Gr\u00fc\u00dfe \u20ac");
}

TEST_F(QvToolTest, InfoJsonHasTheBlocksByFieldNameAndTheStatistics) {
    ASSERT_EQ(Run({"new", Path("a.qv")}), 0);
    ASSERT_EQ(Run({"info", Path("a.qv"), "--json"}), 0);
    const Json json = Json::parse(m_out.str());
    EXPECT_EQ(json["stamp"], Json::array({0, 0, 0}));
    EXPECT_EQ(json["counters"].size(), 13u);
    EXPECT_EQ(json["analogue"].size(), 15u);
    EXPECT_EQ(json["highVoltage"].size(), 5u);
    EXPECT_EQ(json["vibrator"].size(), 8u);
    EXPECT_TRUE(json["analogue"].contains("SnglChnlUpLimit"));
    EXPECT_TRUE(json["vibrator"].contains("VelocityCoefHigh"));
    const Json expected = {{"AaSumMaximum", 1},
                           {"Qv2Range", 1},
                           {"Qv2Minimum", 0},
                           {"Qv1Range", 1},
                           {"Qv1Minimum", 0}};
    EXPECT_EQ(json["statistics"], expected);
    EXPECT_FALSE(json.contains("spectra"));

    ASSERT_EQ(Run({"info", Path("a.qv"), "--json", "--spectra"}), 0);
    const Json withSpectra = Json::parse(m_out.str());
    for (const char* name : {"Qv2", "Qv1", "AaAntiCoinc", "AaCoinc"}) {
        EXPECT_EQ(withSpectra["spectra"][name].size(), 4096u) << name;
    }
}

TEST_F(QvToolTest, RefusalsPrintTheProgramsTextAndFail) {
    std::string bytes;
    ASSERT_EQ(Run({"new", Path("a.qv")}), 0);
    bytes = Read(Path("a.qv"));
    bytes[16] = 1;  // version 1
    std::ofstream(Path("v1.qv"), std::ios::binary) << bytes;
    EXPECT_NE(Run({"info", Path("v1.qv")}), 0);
    EXPECT_NE(m_err.str().find("Incompatible file type or version.\nAbort."), std::string::npos);
    EXPECT_TRUE(m_out.str().empty());

    EXPECT_NE(Run({"remark", Path("v1.qv"), "x"}), 0);
    EXPECT_EQ(Read(Path("v1.qv")), bytes);  // never overwritten
}

TEST_F(QvToolTest, RemarkToAnotherFileLeavesTheOriginal) {
    ASSERT_EQ(Run({"new", Path("a.qv"), "--remark", "old"}), 0);
    const std::string before = Read(Path("a.qv"));
    ASSERT_EQ(Run({"remark", Path("a.qv"), "new text", "-o", Path("b.qv")}), 0);
    EXPECT_EQ(Read(Path("a.qv")), before);
    ASSERT_EQ(Run({"info", Path("b.qv"), "--json"}), 0);
    EXPECT_EQ(Json::parse(m_out.str())["remark"], "new text");
    ASSERT_EQ(Run({"remark", Path("a.qv"), "in place"}), 0);
    ASSERT_EQ(Run({"info", Path("a.qv"), "--json"}), 0);
    EXPECT_EQ(Json::parse(m_out.str())["remark"], "in place");
}

TEST_F(QvToolTest, ExportWritesSixFilesBesideTheChosenPath) {
    fs::create_directories(m_dir / "data.old");
    ASSERT_EQ(Run({"new", Path("a.qv")}), 0);
    ASSERT_EQ(Run({"export", Path("a.qv"), "--to", Path("data.old/run5")}), 0);
    for (char letter : std::string("12lacs")) {
        const auto file = Path("data.old/run5.qv") + letter;
        ASSERT_TRUE(fs::exists(file)) << file;
        EXPECT_EQ(fs::file_size(file), letter == 'l' ? 16472u : 16464u);
    }
    ASSERT_EQ(Run({"export", Path("a.qv")}), 0);  // default: beside the data file
    EXPECT_TRUE(fs::exists(Path("a.qvs")));

    EXPECT_NE(Run({"export", Path("a.qv"), "--to", Path("missing/dir/x")}), 0);
    EXPECT_EQ(m_err.str(), "Can not open file\n");
}

TEST_F(QvToolTest, HdwReportsValuesPortBaseAndMessage) {
    std::ofstream(Path("qv.hdw")) << "1\n2\n3\n640\n4 12 25\n7 21 43\n7 42 90\n7 83 200\n"
                                     "923.9\n47\n1.4067\n-31.57\n0\n0.106\n0.014\n";
    ASSERT_EQ(Run({"hdw", Path("qv.hdw"), "--json"}), 0);
    const Json json = Json::parse(m_out.str());
    EXPECT_EQ(json["portBase"], 640);
    EXPECT_EQ(json["complete"], true);
    EXPECT_TRUE(json["message"].is_null());
    EXPECT_EQ(json["values"]["HvUpperLimit"], 923);
    EXPECT_EQ(json["values"]["HvSlope"].dump(), "1.4067");
    EXPECT_EQ(json["values"]["HardwareVersion3"], 3);

    EXPECT_NE(Run({"hdw", Path("none.hdw"), "--json"}), 0);
    const Json missing = Json::parse(m_out.str());
    EXPECT_EQ(missing["message"], "Can not open:" + Path("none.hdw") + "\nDefault values assumed.");
    EXPECT_EQ(missing["portBase"], 768);
}

TEST_F(QvToolTest, UsageErrorsFail) {
    EXPECT_NE(Run({}), 0);
    EXPECT_NE(Run({"info"}), 0);
    EXPECT_NE(Run({"frobnicate"}), 0);
}

TEST_F(QvToolTest, InfoShowsTheRemarkPanelsSummary) {
    ASSERT_EQ(Run({"new", Path("a.qv")}), 0);
    ASSERT_EQ(Run({"info", Path("a.qv"), "--json"}), 0);
    const Json json = Json::parse(m_out.str());
    const Json& summary = json.at("summary");
    EXPECT_EQ(summary.at("LiveDuration"), "  0-00:00:00");
    EXPECT_EQ(summary.at("Qv1Cycles"), "0");
    EXPECT_EQ(summary.at("Velocity"), "L/   0 -->   0.000");
    EXPECT_EQ(summary.at("Frequency"), "0.357628");
    ASSERT_EQ(Run({"info", Path("a.qv")}), 0);
    EXPECT_NE(m_out.str().find("summary:\n  SwitchSeconds = \"0\"\n"), std::string::npos);
    EXPECT_NE(m_out.str().find("  HighVoltage = \"   0.0\"\n"), std::string::npos) << m_out.str();
}

// Nothing counted: the capture reads the cleared memories.
TEST_F(QvToolTest, SimulateWithoutTimeGivesEmptySpectra) {
    ASSERT_EQ(Run({"simulate", "-o", Path("s.qv"), "--seconds", "0"}), 0) << m_err.str();
    ASSERT_EQ(Run({"info", Path("s.qv"), "--json", "--spectra"}), 0);
    const Json json = Json::parse(m_out.str());
    for (const char* name : {"Qv2", "Qv1", "AaAntiCoinc", "AaCoinc"}) {
        const auto& spectrum = json.at("spectra").at(name);
        ASSERT_EQ(spectrum.size(), 4096u);
        EXPECT_EQ(std::count(spectrum.begin(), spectrum.end(), 0), 4096) << name;
    }
    EXPECT_EQ(json.at("statistics").at("AaSumMaximum"), 1);
}

TEST_F(QvToolTest, VersionNeedsNoCommandAndNamesTheProject) {
    ASSERT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(m_out.str(), std::string("qvtool ") + kProgramVersion + "\n");
    EXPECT_TRUE(std::regex_match(kProgramVersion, std::regex(R"([0-9]+\.[0-9]+(\.[0-9]+)*)")))
        << kProgramVersion;
    EXPECT_EQ(m_err.str(), "");
}

}  // namespace
}  // namespace qv::tool

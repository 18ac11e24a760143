#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "tools/QvToolFixture.h"

namespace qv::tool {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(QvToolTest, SpecialFilesAreRefusedNamingThem) {
    ASSERT_EQ(mkfifo(Path("pipe.qv").c_str(), 0644), 0);
    for (const char* command : {"info", "remark", "export"}) {
        SCOPED_TRACE(command);
        std::vector<std::string> args = {command, Path("pipe.qv")};
        if (std::string(command) == "remark") {
            args.push_back("x");
        }
        EXPECT_NE(Run(args), 0);
        EXPECT_EQ(m_err.str(), "Failed to open document.\n" + Path("pipe.qv") +
                                   "\nIs a named pipe (FIFO), not a regular file.\n");
    }
    EXPECT_TRUE(fs::is_fifo(Path("pipe.qv")));
    EXPECT_NE(Run({"info", "/dev/zero"}), 0);
    EXPECT_EQ(m_err.str(),
              "Failed to open document.\n/dev/zero\nIs a character device, not a regular file.\n");
    EXPECT_TRUE(m_out.str().empty());
}

TEST_F(QvToolTest, NewRefusesAnExistingFileUnlessForced) {
    ASSERT_EQ(Run({"new", Path("a.qv"), "--remark", "measured"}), 0);
    const std::string measured = Read(Path("a.qv"));
    EXPECT_NE(Run({"new", Path("a.qv")}), 0);
    EXPECT_EQ(m_err.str(),
              "new: " + Path("a.qv") + " already exists; give --force to replace it.\n");
    EXPECT_EQ(Read(Path("a.qv")), measured);

    ASSERT_EQ(Run({"new", Path("a.qv"), "--force"}), 0);
    EXPECT_EQ(fs::file_size(Path("a.qv")), 65733u);
}

TEST_F(QvToolTest, ReadOnlyFilesAreNeverReplaced) {
    ASSERT_EQ(Run({"new", Path("ro.qv"), "--remark", "keep me"}), 0);
    ASSERT_EQ(chmod(Path("ro.qv").c_str(), 0444), 0);
    const std::string before = Read(Path("ro.qv"));
    const std::string refusal = "Failed to save document.\n" + Path("ro.qv") +
                                "\nThe file is read-only.\nThe previous file was left unchanged.\n";
    EXPECT_NE(Run({"remark", Path("ro.qv"), "X"}), 0);
    EXPECT_EQ(m_err.str(), refusal);
    EXPECT_NE(Run({"new", Path("ro.qv"), "--force"}), 0);
    EXPECT_EQ(m_err.str(), refusal);
    EXPECT_NE(Run({"remark", Path("a.qv"), "X", "-o", Path("ro.qv")}), 0);
    EXPECT_EQ(Read(Path("ro.qv")), before);
    EXPECT_EQ(fs::status(Path("ro.qv")).permissions() & fs::perms::all, fs::perms(0444));
}

TEST_F(QvToolTest, RemarkCharactersWindows1252CannotHoldAreRefused) {
    ASSERT_EQ(Run({"new", Path("a.qv"), "--remark", "Fe"}), 0);
    const std::string before = Read(Path("a.qv"));
    EXPECT_NE(Run({"remark", Path("a.qv"), "\u03b1-Fe"}), 0);
    EXPECT_EQ(m_err.str(),
              "Windows-1252 cannot hold \u03b1 (U+03B1); the remark was not stored.\n");
    EXPECT_EQ(Read(Path("a.qv")), before);

    EXPECT_NE(Run({"new", Path("b.qv"), "--remark", "\u2192 57Fe"}), 0);
    EXPECT_TRUE(Contains(m_err.str(), "\u2192 (U+2192)"));
    EXPECT_FALSE(fs::exists(Path("b.qv")));
}

// 0x81, 0x8D and 0x9D have no character in Windows-1252: text and JSON show
// them alike, as U+FFFD, instead of as invisible control characters.
TEST_F(QvToolTest, InfoShowsUndefinedRemarkBytesAlikeInTextAndJson) {
    ASSERT_EQ(Run({"new", Path("a.qv"), "--remark", "a?b?c?d"}), 0);
    std::string bytes = Read(Path("a.qv"));
    ASSERT_EQ(bytes.substr(21, 7), "a?b?c?d");
    bytes[22] = '\x81';
    bytes[24] = '\x8D';
    bytes[26] = '\x9D';
    std::ofstream(Path("odd.qv"), std::ios::binary) << bytes;
    const std::string shown = "a\uFFFDb\uFFFDc\uFFFDd";
    ASSERT_EQ(Run({"info", Path("odd.qv")}), 0);
    EXPECT_TRUE(Contains(m_out.str(), "remark: " + shown + "\n"));
    ASSERT_EQ(Run({"info", Path("odd.qv"), "--json"}), 0);
    EXPECT_EQ(Json::parse(m_out.str())["remark"], shown);
}

TEST_F(QvToolTest, ExportToAFolderIsRefused) {
    ASSERT_EQ(Run({"new", Path("a.qv")}), 0);
    fs::create_directory(Path("out"));
    for (const std::string& to : {Path("out/"), Path("out")}) {
        EXPECT_NE(Run({"export", Path("a.qv"), "--to", to}), 0);
        EXPECT_EQ(m_err.str(), "The export path names a folder, not a file:\n" + to +
                                   "\nGive a file name for the six export files.\n");
        EXPECT_TRUE(m_out.str().empty());
    }
    EXPECT_TRUE(fs::is_empty(Path("out")));
    EXPECT_FALSE(fs::exists(Path("out.qv1")));
}

TEST_F(QvToolTest, SimulateRateOutOfRangeSaysTheRangeReadably) {
    for (const char* rate : {"0", "-5", "2e7", "fast"}) {
        SCOPED_TRACE(rate);
        EXPECT_NE(Run({"simulate", "-o", Path("s.qv"), "--rate", rate}), 0);
        EXPECT_EQ(m_err.str().substr(0, m_err.str().find('\n')),
                  std::string("--rate: must be from 1 to 10000000 pulses per second, not ") + rate);
    }
    EXPECT_FALSE(fs::exists(Path("s.qv")));
    EXPECT_EQ(Run({"simulate", "-o", Path("s.qv"), "--seconds", "1", "--rate", "1e7"}), 0);
}

}  // namespace
}  // namespace qv::tool

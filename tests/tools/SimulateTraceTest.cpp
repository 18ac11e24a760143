#include <regex>
#include <sstream>

#include "QvToolFixture.h"
#include "jobs/JobScript.h"

namespace qv::tool {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    return jobs::SplitJobText(text);
}

TEST_F(QvToolTest, SimulateTraceHasOneParseableLinePerExchange) {
    // The global option goes before or after the command's name alike.
    for (const bool before : {true, false}) {
        const std::string trace = Path(before ? "before.trace" : "after.trace");
        std::vector<std::string> args = {"simulate", "-o", Path("t.qv"), "--seconds", "2"};
        args.insert(before ? args.begin() : args.end(), {"--trace", trace});
        ASSERT_EQ(Run(args), 0) << m_err.str();

        const std::regex form(
            R"((\d+) ([WRS]) (\d+) (\d+):((?: [0-9A-F]{2}){0,32})( \.\.\.)? -> (\d+))");
        std::uint64_t lastMs = 0;
        int spectra = 0, writes = 0;
        const std::vector<std::string> lines = Lines(Read(trace));
        ASSERT_GT(lines.size(), 10u);
        for (const std::string& line : lines) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(line, m, form)) << line;
            const std::uint64_t ms = std::stoull(m[1]);
            EXPECT_GE(ms, lastMs) << line;
            lastMs = ms;
            const int length = std::stoi(m[4]);
            const int shown = static_cast<int>(m[5].length() / 3);
            EXPECT_EQ(m[7], "0") << line;
            if (m[2] == "S") {
                ++spectra;
                EXPECT_EQ(shown, 0) << line;
                EXPECT_EQ(length, m[3] == "64" ? 8192 : 4096) << line;
            } else {
                writes += m[2] == "W" ? 1 : 0;
                EXPECT_EQ(shown, std::min(length, 32)) << line;
                EXPECT_EQ(m[6].matched, length > 32) << line;
            }
        }
        EXPECT_EQ(spectra, 3);
        EXPECT_GE(writes, 6);
        // Counting two virtual seconds shows in the trace's own clock.
        EXPECT_GE(lastMs, 2000u);
    }
}

TEST_F(QvToolTest, SimulateOnTheTrainingBenchFailsAsTheCardWould) {
    EXPECT_EQ(Run({"simulate", "-o", Path("a.qv"), "--sim-fault", "absent"}), 1);
    EXPECT_EQ(m_err.str(), "simulate: setting up the card failed, error 33\n");
    EXPECT_FALSE(std::filesystem::exists(Path("a.qv")));

    EXPECT_EQ(Run({"simulate", "-o", Path("c.qv"), "--sim-fault", "clear-never"}), 1);
    EXPECT_NE(m_err.str().find("simulate: clearing failed"), std::string::npos);

    EXPECT_EQ(Run({"simulate", "-o", Path("l.qv"), "--sim-locked", "--trace", Path("l.trace")}), 1);
    EXPECT_EQ(m_err.str(), "simulate: clearing failed, error 255\n");
    // The key refuses run control: the card never leaves the idle handshake.
    const std::vector<std::string> locked = Lines(Read(Path("l.trace")));
    ASSERT_FALSE(locked.empty());
    EXPECT_NE(locked.back().find(" W 3 2: 88 02 -> 0"), std::string::npos) << locked.back();

    EXPECT_EQ(Run({"simulate", "-o", Path("r.qv"), "--seconds", "1", "--sim-rate", "500"}), 0);

    EXPECT_NE(Run({"simulate", "-o", Path("x.qv"), "--sim-fault", "stall-bytes"}), 0);
    EXPECT_NE(m_err.str().find("stall-bytes=N"), std::string::npos) << m_err.str();
}

TEST_F(QvToolTest, UnwritableTraceStopsBeforeTheCardIsTouched) {
    EXPECT_EQ(Run({"--trace", Path("no/such/dir/t.trace"), "simulate", "-o", Path("t.qv")}), 1);
    EXPECT_EQ(m_err.str(),
              "simulate: cannot write the transfer trace " + Path("no/such/dir/t.trace") + "\n");
    EXPECT_FALSE(std::filesystem::exists(Path("t.qv")));
}

}  // namespace
}  // namespace qv::tool

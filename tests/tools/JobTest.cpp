#include <sys/stat.h>
#include <nlohmann/json.hpp>

#include <regex>

#include "QvToolFixture.h"
#include "ToolDocument.h"
#include "jobs/JobProgress.h"
#include "jobs/JobProgressTexts.h"
#include "jobs/JobScript.h"
#include "jobs/JobSubstitution.h"

namespace qv::tool {
namespace {

using jobs::CheckSubstitutions;
using jobs::JobScript;
using jobs::ParseJob;
using jobs::SplitJobText;
using jobs::Substitute;

std::vector<std::string> TextLines(const std::string& text) {
    return SplitJobText(text);
}

// The payload bytes of every write with command cmd in a trace, in order.
std::vector<std::string> TraceWrites(const std::string& trace, int cmd) {
    std::vector<std::string> writes;
    const std::regex form(R"(\d+ W (\d+) \d+: ?(.*) -> \d+)");
    for (const std::string& line : TextLines(trace)) {
        std::smatch m;
        if (std::regex_match(line, m, form) && std::stoi(m[1]) == cmd) {
            writes.push_back(m[2]);
        }
    }
    return writes;
}

class JobTest : public QvToolTest {
protected:
    int Card(std::vector<std::string> lines, std::vector<std::string> options = {}) {
        std::vector<std::string> args = {"card", "--simulate", "--trace", Path("card.trace")};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), lines.begin(), lines.end());
        return Run(args);
    }
    std::string Trace() const { return Read(Path("card.trace")); }
    // Runs a copy of an example job from docs/jobs with its files (and its run
    // log, beside the job file) written here.
    int Example(const std::string& name, std::vector<std::string> options = {}) {
        const auto previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir);
        std::filesystem::copy_file(std::string(QV_SOURCE_DIR) + "/docs/jobs/" + name, Path(name));
        std::vector<std::string> args = {"job", "--simulate", Path(name)};
        args.insert(args.end(), options.begin(), options.end());
        const int status = Run(args);
        std::filesystem::current_path(previous);
        return status;
    }
    static std::uint64_t Total(const Spectrum& spectrum) {
        std::uint64_t sum = 0;
        for (const std::uint32_t count : spectrum) {
            sum += count;
        }
        return sum;
    }
};

TEST(JobSubstitutionTest, CounterReplacesEveryMarkWithItsWidth) {
    EXPECT_EQ(Substitute("run{n}.qv", 7), "run7.qv");
    EXPECT_EQ(Substitute("run{n:03}-{n}.qv", 7), "run007-7.qv");
    EXPECT_EQ(Substitute("{n:02}", 123), "123");  // never cut
    EXPECT_EQ(CheckSubstitutions("a{n:03}b"), "");
    EXPECT_NE(CheckSubstitutions("a{i}b"), "");
    EXPECT_NE(CheckSubstitutions("a{n:3}b"), "");
    EXPECT_NE(CheckSubstitutions("a{n"), "");
    EXPECT_NE(CheckSubstitutions("a}"), "");
}

TEST(JobScriptTest, BadLinesAreFoundBeforeAnythingRunsAndNamedByNumber) {
    const auto error = [](const std::string& text) { return ParseJob(SplitJobText(text)).error; };
    EXPECT_EQ(error("# note\n\nread hv\nloop 2\n  save a{n}.qv\nend\n"), "");
    EXPECT_EQ(error("read hv\n\nread volts\n"),
              "line 3: read: names one block: analogue, hv, aux, vibrator, counters, info, run");
    EXPECT_EQ(error("read hv\nfly away\n"), "line 2: unknown operation \"fly\"");
    EXPECT_EQ(error("loop 3\nread hv\n"), "line 1: loop without end");
    EXPECT_EQ(error("read hv\nend\n"), "line 2: end without loop");
    EXPECT_EQ(error("save a{n}.qv\n"), "line 1: {n} outside a loop");
    EXPECT_EQ(error("set hv HvCurrent=5\n"),
              "line 1: set: HvCurrent is shown only: its box takes no input");
    EXPECT_EQ(error("set hv Desired=5\n"), "line 1: set: the hv block has no field Desired");
    EXPECT_EQ(error("set info Version1=5\n"), "line 1: set: the info block cannot be set");
    EXPECT_EQ(error("clear qv1 qv1\n"), "line 1: clear: qv1 is named twice");
    EXPECT_EQ(error("wait soon\n"), "line 1: wait: takes SECONDS (0 to 1000000000) or backup");
    EXPECT_EQ(error("remark \"open\nsave \"a b.qv\"\n"), "");
    EXPECT_EQ(error("save \"a b.qv\n"), "line 1: a quote is not closed");
    // One number syntax; a NUL would cut the name; a refused word is quoted short.
    EXPECT_EQ(error("wait 1.5\nwait 0\nloop 0\nend\n"), "");
    for (const char* number : {"1e3", "0x10", ".5", "5.", "-1", "1 000"}) {
        EXPECT_EQ(error(std::string("wait ") + number + "\n"),
                  "line 1: wait: takes SECONDS (0 to 1000000000) or backup")
            << number;
    }
    EXPECT_EQ(error("loop 1.5\nend\n"),
              "line 1: loop count \"1.5\" is not a whole number from 0 to 999999999");
    EXPECT_EQ(error(std::string("read hv\nsave r\0n.qv\n", 19)),
              "line 2: a control character (0x00) in the line");
    EXPECT_EQ(error("remark a\x1b[2Jb\n"), "line 1: a control character (0x1B) in the line");
    const std::string x78(78, 'x');  // the 80th character takes two bytes
    EXPECT_EQ(error("f" + x78 + "\xc3\xa9tail\n"),
              "line 1: unknown operation \"f" + x78 + "\xc3\xa9...\"");
    std::string nested;
    for (int depth = 0; depth < 100; ++depth) {
        nested = "loop 1\n" + nested + "end\n";
    }
    EXPECT_EQ(error(nested), "");
    EXPECT_EQ(error("loop 1\n" + nested + "end\n"), "line 101: loops nest deeper than 100 levels");
    const JobScript script =
        ParseJob(SplitJobText("remark  two  blanks \"kept\"\r\nsave \"a b.qv\""));
    ASSERT_EQ(script.lines.size(), 2u);
    EXPECT_EQ(script.lines[0].args, std::vector<std::string>{"two  blanks \"kept\""});
    EXPECT_EQ(script.lines[1].args, std::vector<std::string>{"a b.qv"});
}

// The progress display's "of waits to go": loops multiplied out, wait backup
// left out since only the card knows how long it takes.
TEST(JobProgressTest, TotalWaitingTimeMultipliesLoopsOut) {
    const JobScript script =
        ParseJob(SplitJobText("wait 2.5\nloop 9\n  wait 90\n  loop 2\n    wait 30\n  end\nend\n"
                              "wait backup\nloop 0\n  wait 1000\nend\n"));
    ASSERT_EQ(script.error, "");
    EXPECT_DOUBLE_EQ(jobs::TotalWaitSeconds(script), 2.5 + 9 * (90 + 2 * 30));
    EXPECT_EQ(jobs::DurationText(59.2), "1:00");
    EXPECT_EQ(jobs::DurationText(3 * 3600 + 4 * 60 + 5), "3:04:05");
}

// The desktop's progress window: loops outermost first, the bar over the
// job's waiting time gone.
TEST(JobProgressTest, WindowTextsNameLineLoopsAndWait) {
    jobs::JobProgress progress{14, "wait 90", {{3, 9}, {1, 2}}, 72, 750};
    const jobs::JobProgressTexts texts = jobs::ProgressTexts(progress, 1000, 3723);
    EXPECT_EQ(texts.line, "Line 14: wait 90");
    EXPECT_EQ(texts.loops, "Loop 3 of 9, 1 of 2");
    EXPECT_EQ(texts.elapsed, "Elapsed 1:02:03");
    EXPECT_EQ(texts.waiting, "Wait: 1:12 left");
    EXPECT_EQ(texts.permille, 250);
    progress = {2, "save a.qv", {}, 0, 0};
    EXPECT_EQ(jobs::ProgressTexts(progress, 0, 0).loops, "");
    EXPECT_EQ(jobs::ProgressTexts(progress, 0, 0).waiting, "");
    EXPECT_EQ(jobs::ProgressTexts(progress, 0, 0).permille, 1000);
}

TEST_F(JobTest, ABadLineStopsTheJobBeforeTheCardIsTouched) {
    EXPECT_EQ(Card({"set hv HvDesired=700", "sav x.qv"}), 2);
    EXPECT_EQ(m_err.str(), "qvtool: line 2: unknown operation \"sav\"\n");
    EXPECT_FALSE(std::filesystem::exists(Path("card.trace")) && !Trace().empty());
    EXPECT_EQ(Run({"card", "--sim-locked", "read hv"}), 2);
    EXPECT_NE(m_err.str().find("need --simulate"), std::string::npos);
    // A status page beyond the loopback only with a token.
    EXPECT_EQ(Run({"card", "--simulate", "--status-port", "0", "--status-bind", "127.0.0.2",
                   "read hv"}),
              2);
    EXPECT_EQ(m_err.str(), "qvtool: --status-bind needs --status-token: a page beyond this "
                           "computer must ask for it\n");
}

TEST_F(JobTest, SetOfEachBlockSendsTheDocumentedBytes) {
    ASSERT_EQ(Card({"set analogue Gain=63 Invert=0 SignalTau=2 TriggerTau=1 InputSelect=0 "
                    "TestOut=0 TriggerLevel=291 PileOnFrontRejection=1 DTimMode=1 "
                    "AmpAnalUpLimit=683 SnglChnlUpLimit=2652 SnglChnlLowLimit=1000 "
                    "AmpAnalLowLimit=261 BaseCaptureDelay=7 PeakCaptureDelay=21 "
                    "PileOnTileRejection=43",
                    "set hv HvDesired=683 HvSpeed=7",
                    "set aux Aux0=1 Aux1=2 Aux2=3 Aux3=4 Aux4=250 Dac8=128",
                    "set vibrator GainDesired=683 GainSpeed=3 AmplitudeDesired=80 "
                    "AmplitudeSpeed=15 HighRange=1 BiasDesired=-5 BiasSpeed=1 K=2 L=200",
                    "set counters BackupPeriod=3600 RestartBackup=1 Qv1Source=0 Qv2Source=1 "
                    "AaStopTimeBase=1 DeltaStopsCounting=1",
                    "set counters BackupPeriod=10"}),
              0)
        << m_err.str();
    const std::string trace = Trace();
    // Two 0xFF, then R0..R14: codes 0/1/0, gain << 1, the windows and delays.
    EXPECT_EQ(TraceWrites(trace, 9),
              std::vector<std::string>{"FF FF 11 7E AB 02 05 01 5C 0A E8 03 23 01 7C 15 2B"});
    // The current value of the read (600) goes back with the two keep bits.
    EXPECT_EQ(TraceWrites(trace, 11), std::vector<std::string>{"58 C2 AB 62"});
    EXPECT_EQ(TraceWrites(trace, 19), std::vector<std::string>{"01 02 03 04 FA"});
    EXPECT_EQ(TraceWrites(trace, 21), std::vector<std::string>{"80"});
    const auto vibrator = TraceWrites(trace, 13);
    ASSERT_EQ(vibrator.size(), 1u);
    std::istringstream bytes(vibrator[0]);
    std::vector<int> r;
    for (std::string hex; bytes >> hex;) {
        r.push_back(std::stoi(hex, nullptr, 16));
    }
    ASSERT_EQ(r.size(), 12u);
    EXPECT_EQ(r[2], 0xAB);
    EXPECT_EQ(r[3], 0x22);  // speed 3 - 1 in the high nibble, bits 9..8
    EXPECT_EQ(r[6], 80);
    EXPECT_EQ(r[7], 0xE4);   // speed 15, high range in bit 2
    EXPECT_EQ(r[10], 0xFB);  // -5 + 2048 = 0x7FB
    EXPECT_EQ(r[11], 0x07);
    for (const int keep : {1, 5, 9}) {
        EXPECT_EQ(r[static_cast<std::size_t>(keep)] & 0xF0, 0xC0) << keep;
    }
    EXPECT_EQ(TraceWrites(trace, 15), std::vector<std::string>{"02 C8"});
    // Counters: restart request, sources and flags, period - 1; a period
    // below 30 goes out as 30.
    const auto counters = TraceWrites(trace, 5);
    ASSERT_EQ(counters.size(), 2u);
    EXPECT_EQ(counters[0].substr(0, 14), "7F 00 2C 0F 0E");
    EXPECT_EQ(counters[1].substr(9, 5), "1D 00");
}

TEST_F(JobTest, ARefusedValueWritesNothingAndFailsTheJobAtItsLine) {
    EXPECT_EQ(Card({"read hv", "set hv HvDesired=1024", "save never.qv"}), 1);
    EXPECT_TRUE(TraceWrites(Trace(), 11).empty());
    EXPECT_FALSE(std::filesystem::exists(Path("never.qv")));
    EXPECT_NE(m_err.str().find("[qv] Please enter an integer between 0 and 1023."),
              std::string::npos);
    EXPECT_NE(m_err.str().find("qvtool: line 2 (set hv HvDesired=1024) failed"), std::string::npos);
    // The earlier values of the same line do not go out either.
    EXPECT_EQ(Card({"set aux Aux0=5 Dac8=256"}), 1);
    EXPECT_TRUE(TraceWrites(Trace(), 19).empty());
    EXPECT_TRUE(TraceWrites(Trace(), 21).empty());
    EXPECT_EQ(Card({"set vibrator K=-1"}), 1);
    EXPECT_NE(m_err.str().find("digits only"), std::string::npos);
    EXPECT_TRUE(TraceWrites(Trace(), 15).empty());
}

// A card at "immediate change" shows 16 in a box of 1..15; 16 fits its field,
// so set writes it with the range message on the error stream and goes on,
// also past a preview that takes the controls again (K).
TEST_F(JobTest, ASpeedOfSixteenIsWrittenWithItsRangeMessageAndTheJobGoesOn) {
    ASSERT_EQ(Card({"set hv HvDesired=650 HvSpeed=16", "set vibrator AmplitudeSpeed=16 K=2",
                    "read hv", "read vibrator"},
                   {"--json"}),
              0)
        << m_err.str();
    EXPECT_NE(m_err.str().find("[qv] Please enter an integer between 1 and 15."),
              std::string::npos);
    std::vector<nlohmann::json> reports;
    for (const std::string& line : TextLines(m_out.str())) {
        reports.push_back(nlohmann::json::parse(line));
    }
    ASSERT_EQ(reports.size(), 4u);
    EXPECT_EQ(reports[0]["messages"][0]["text"], "Please enter an integer between 1 and 15.");
    // What the card holds, read back by the next lines.
    EXPECT_EQ(reports[2]["fields"]["HvSpeed"], 16);
    EXPECT_EQ(reports[2]["fields"]["HvCurrent"], 650);  // changed at once
    EXPECT_EQ(reports[3]["fields"]["AmplitudeSpeed"], 16);
    EXPECT_EQ(reports[3]["fields"]["K"], 2);
}

TEST_F(JobTest, JsonHasOneObjectPerOperationWithTheBlockAndItsImage) {
    ASSERT_EQ(Card({"set hv HvDesired=683 HvSpeed=7", "clear", "start qv1", "wait 5", "rates",
                    "backup", "set hv HvDesired=5000"},
                   {"--json"}),
              1);
    std::vector<nlohmann::json> reports;
    for (const std::string& line : TextLines(m_out.str())) {
        reports.push_back(nlohmann::json::parse(line));
    }
    ASSERT_EQ(reports.size(), 7u);
    EXPECT_EQ(reports[0]["line"], "set hv HvDesired=683 HvSpeed=7");
    EXPECT_EQ(reports[0]["op"], "set");
    EXPECT_EQ(reports[0]["error"], 0);
    EXPECT_EQ(reports[0]["block"], "hv");
    EXPECT_EQ(reports[0]["fields"]["HvDesired"], 683);
    EXPECT_EQ(reports[0]["fields"]["HvSpeed"], 7);
    EXPECT_EQ(reports[0]["status"], "notLocked");
    EXPECT_EQ(reports[0]["image"].get<std::string>().substr(4), "AB62");
    EXPECT_EQ(reports[2]["fields"]["Qv1Count"], 1);
    EXPECT_EQ(reports[2]["fields"]["Qv2Count"], 0);
    EXPECT_GT(reports[4]["Qv1"].get<int>(), 0);
    EXPECT_TRUE(reports[4].contains("Qv2"));
    EXPECT_EQ(reports[5]["due"], 1);
    EXPECT_EQ(reports[6]["number"], 7);
    EXPECT_EQ(reports[6]["error"], -1);
    ASSERT_EQ(reports[6]["messages"].size(), 1u);
    EXPECT_EQ(reports[6]["messages"][0]["caption"], "qv");
    EXPECT_EQ(reports[6]["messages"][0]["text"], "Please enter an integer between 0 and 1023.");
}

TEST_F(JobTest, LoopsRepeatWithTheirCounterAndNest) {
    ASSERT_EQ(Card({"loop 2", "loop 3", "save " + Path("in{n}.qv"), "end",
                    "save " + Path("out{n:03}.qv"), "end"}),
              0)
        << m_err.str();
    for (const char* name : {"in1.qv", "in2.qv", "in3.qv", "out001.qv", "out002.qv"}) {
        EXPECT_TRUE(std::filesystem::exists(Path(name))) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("in4.qv")));
}

TEST_F(JobTest, WaitBackupEndsWhenTheCountdownRunsOutAndRestartsIt) {
    ASSERT_EQ(Card({"set counters BackupPeriod=40 RestartBackup=1", "wait backup", "backup",
                    "read counters"},
                   {"--json"}),
              0)
        << m_err.str();
    const auto lines = TextLines(m_out.str());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(nlohmann::json::parse(lines[1])["due"], 0);
    EXPECT_EQ(nlohmann::json::parse(lines[2])["due"], 1);
    const auto counters = nlohmann::json::parse(lines[3])["fields"];
    // Forty seconds of the virtual card's clock, not of ours.
    EXPECT_GE(counters["UniversalTime"].get<int>(), 40);
    EXPECT_LE(counters["UniversalTime"].get<int>(), 45);
}

TEST_F(JobTest, FailuresOfTheCardNameTheLineAndTheNumber) {
    EXPECT_EQ(Card({"capture"}, {"--sim-fault", "absent"}), 1);
    EXPECT_NE(m_err.str().find("[Hardware acces error] Hardware turned off?\nErr no:2"),
              std::string::npos)
        << m_err.str();
    EXPECT_NE(m_err.str().find("qvtool: line 1 (capture) failed: capture failed at step 2"),
              std::string::npos);
    EXPECT_EQ(Card({"clear"}, {"--sim-locked"}), 1);
    EXPECT_NE(m_err.str().find("failed: Locked"), std::string::npos) << m_err.str();
    // Each --sim-fault takes one fault; the lines after it stay lines.
    EXPECT_EQ(Card({"read hv", "capture"}, {"--sim-fault", "stall-words=100"}), 1);
    EXPECT_NE(m_err.str().find("qvtool: line 2 (capture) failed: capture failed at step 6"),
              std::string::npos)
        << m_err.str();
    EXPECT_EQ(Card({"reference load " + Path("missing.ref")}), 1);
    EXPECT_NE(m_err.str().find("[qv] Can not open file!"), std::string::npos);
}

// A pipe would block at its open and a device never end: both are refused by
// name before anything is read, as is a folder.
TEST_F(JobTest, SpecialFilesAreRefusedWithoutBlocking) {
    const std::string fifo = Path("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(Run({"job", "--simulate", fifo}), 2);
    EXPECT_EQ(m_err.str(), "qvtool: cannot read the job file " + fifo +
                               ": Is a named pipe (FIFO), not a regular file\n");
    EXPECT_EQ(Run({"job", "--simulate", "/dev/zero"}), 2);
    EXPECT_NE(m_err.str().find("Is a character device, not a regular file"), std::string::npos);
    EXPECT_EQ(Run({"job", "--simulate", m_dir.string()}), 2);
    EXPECT_NE(m_err.str().find("Is a directory"), std::string::npos);
    EXPECT_EQ(Run({"log", fifo}), 1);
    EXPECT_NE(m_err.str().find("cannot read the run log " + fifo + ": Is a named pipe"),
              std::string::npos);
    EXPECT_EQ(Run({"card", "--simulate", "reference load " + fifo}), 1);
    EXPECT_NE(m_err.str().find("[qv] Can not open file!"), std::string::npos) << m_err.str();
}

// Sizes no such file can have are refused before a byte is read; a hardware
// description named for an unattended run must be read whole.
TEST_F(JobTest, HugeFilesAndAnUnusableHardwareDescriptionAreRefused) {
    const std::string huge = Path("huge");
    std::ofstream(huge) << "read hv\n";
    std::filesystem::resize_file(huge, 4 * 1024 * 1024 + 1);
    EXPECT_EQ(Run({"job", "--simulate", huge}), 2);
    EXPECT_EQ(m_err.str(),
              "qvtool: cannot read the job file " + huge +
                  ": Is 4194305 bytes long, more than the 4194304 such a file can have\n");
    EXPECT_EQ(Run({"card", "--simulate", "--hdw", huge, "read hv"}), 2);
    EXPECT_NE(m_err.str().find("cannot read the hardware description " + huge + ": Is 4194305"),
              std::string::npos);
    EXPECT_EQ(Run({"hdw", huge}), 1);
    EXPECT_NE(m_err.str().find("Read error or wrong file:" + huge), std::string::npos);
    EXPECT_EQ(Run({"card", "--simulate", "--hdw", Path("none.hdw"), "read hv"}), 2);
    EXPECT_EQ(m_err.str(), "qvtool: cannot read the hardware description " + Path("none.hdw") +
                               ": No such file or directory\n");
    std::ofstream(Path("short.hdw")) << "1\n2\n";
    EXPECT_EQ(Run({"card", "--simulate", "--hdw", Path("short.hdw"), "read hv"}), 2);
    EXPECT_EQ(m_err.str(), "qvtool: the hardware description " + Path("short.hdw") +
                               " is not complete (2 of 15 items read)\n");
}

// File names and remarks are bytes; the JSON of them is UTF-8 all the same.
TEST_F(JobTest, JsonOfTextsThatAreNotUtf8ShowsReplacementCharacters) {
    ASSERT_EQ(Card({"save " + Path("\xff.qv"), "remark caf\xe9"}, {"--json"}), 1);
    const auto lines = TextLines(m_out.str());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(nlohmann::json::parse(lines[0])["line"], "save " + Path("\xef\xbf\xbd.qv"));
    EXPECT_TRUE(std::filesystem::exists(Path("\xff.qv")));
    const auto remark = nlohmann::json::parse(lines[1]);
    EXPECT_EQ(remark["line"], "remark caf\xef\xbf\xbd");
    EXPECT_NE(remark["failure"].get<std::string>().find("Windows-1252 cannot hold"),
              std::string::npos);
}

TEST_F(JobTest, DayRunExampleSavesEveryHourAndExports) {
    ASSERT_EQ(Example("day-run.job"), 0) << m_err.str();
    std::uint64_t previous = 0;
    for (int hour = 1; hour <= 24; ++hour) {
        char name[16];
        std::snprintf(name, sizeof name, "day%02d.qv", hour);
        ToolDocument file(m_err);
        ASSERT_TRUE(file.Open(Path(name))) << name;
        const std::uint64_t counts = Total(file.Doc().Data().Qv1);
        EXPECT_GT(counts, previous) << name;
        previous = counts;
        EXPECT_EQ(file.Doc().Data().Remark, "24-hour run");
        // An hour of the card's universal time between two saves.
        EXPECT_NEAR(file.Doc().Data().Settings.CountersTimers.UniversalTime, hour * 3600, 5);
    }
    for (const char* extension : {".qv1", ".qv2", ".qvl", ".qva", ".qvc", ".qvs"}) {
        EXPECT_TRUE(std::filesystem::exists(Path(std::string("day-final") + extension)));
    }
    // One log beside the job, one line per capture, stamped with the card's
    // time: the day the job skipped through spreads over a day in the log.
    EXPECT_FALSE(std::filesystem::exists(Path("day01.log.csv")));
    ASSERT_EQ(Run({"log", Path("day-run.log.csv"), "--json"}), 0) << m_err.str();
    const nlohmann::json log = nlohmann::json::parse(m_out.str());
    EXPECT_EQ(log.at("captures"), 25);
    EXPECT_EQ(log.at("failed"), 0);
    EXPECT_NEAR(log.at("span_seconds").get<double>(), 23 * 3600, 60);  // hour 1 to the end
}

// card has no job file: --log, or the first file it saves names the log.
TEST_F(JobTest, CardLogsBesideItsFirstSavedFileThroughout) {
    ASSERT_EQ(
        Card({"capture", "save " + Path("a.qv"), "capture", "save " + Path("b.qv"), "capture"}), 0)
        << m_err.str();
    EXPECT_FALSE(std::filesystem::exists(Path("b.log.csv")));
    ASSERT_EQ(Run({"log", Path("a.log.csv")}), 0);
    EXPECT_NE(m_out.str().find(": 2 captures"), std::string::npos) << m_out.str();
    ASSERT_EQ(Card({"capture", "save " + Path("c.qv")}, {"--log", Path("all.csv")}), 0);
    EXPECT_FALSE(std::filesystem::exists(Path("c.log.csv")));
    EXPECT_TRUE(std::filesystem::exists(Path("all.csv")));
}

TEST_F(JobTest, PlateauExampleSavesOneSpectrumPerVoltage) {
    ASSERT_EQ(Example("hv-plateau.job", {"--json"}), 0) << m_err.str();
    std::vector<int> rates;
    for (const std::string& line : TextLines(m_out.str())) {
        const auto report = nlohmann::json::parse(line);
        if (report["op"] == "rates") {
            rates.push_back(report["Qv1"]);
        }
    }
    ASSERT_EQ(rates.size(), 9u);
    // The single-channel window sees the line only near the right voltage.
    EXPECT_GT(*std::max_element(rates.begin(), rates.end()), 10 * rates.front() + 100);
    for (int step = 1; step <= 9; ++step) {
        ToolDocument file(m_err);
        const std::string name = "plateau-" + std::to_string(step) + "00.qv";
        ASSERT_TRUE(file.Open(Path(name))) << name;
        EXPECT_EQ(file.Doc().Data().Settings.HighVoltage.HvDesired, step * 100);
    }
}

TEST_F(JobTest, AlphaIronExampleGivesAFileTheCalibrationFits) {
    ASSERT_EQ(Example("alpha-iron-calibration.job"), 0) << m_err.str();
    ToolDocument file(m_err);
    ASSERT_TRUE(file.Open(Path("alpha-iron.qv")));
    EXPECT_EQ(file.Doc().Data().Remark,
              "alpha-iron velocity calibration, 12 h, high range, amplitude 80");
    EXPECT_GT(Total(file.Doc().Data().Qv1), 100000000u);
    EXPECT_EQ(Read(Path("alpha-iron.qv1")).size(), Read(Path("alpha-iron.qv2")).size());
    ASSERT_EQ(Run({"calibrate", Path("alpha-iron.qv"), "--json"}), 0) << m_err.str();
    const auto calibration = nlohmann::json::parse(m_out.str());
    EXPECT_GT(calibration.dump().size(), 10u);
}

}  // namespace
}  // namespace qv::tool

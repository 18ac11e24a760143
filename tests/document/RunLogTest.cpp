// The run log's line format and its append-only file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>

#include "TempDir.h"
#include "document/RunLog.h"
#include "document/RunLogRecord.h"

namespace qv::test {
namespace {

// 2024-05-01T12:03:22Z
constexpr std::int64_t kNoon = 1714565002;

RunLogRecord FullRecord() {
    RunLogRecord r;
    r.time = kNoon;
    r.utcOffset = 2 * 3600;
    r.readings.counters = CounterReadings{7012, 4980, 3, 1, 172, 4294967295u};
    r.readings.highVoltage = HighVoltageReading{600, 812.48};
    r.readings.amplitudeCurrent = 80;
    r.result = 0;
    return r;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(RunLogRecordTest, ColumnsComeInTheDocumentedOrderWithTheirUnits) {
    EXPECT_EQ(RunLogHeader(),
              "time,qv1_rate,qv2_rate,live_time,dead_time,dead_time_pct,hv_current,hv_volts,"
              "vibrator_amplitude,qv1_cycles_done,qv2_cycles_done,result");
    EXPECT_EQ(FormatRunLogLine(FullRecord()),
              "2024-05-01T14:03:22+02:00,7012,4980,3,1,25.0,600,812.5,80,172,4294967295,0");
}

TEST(RunLogRecordTest, TimeIsLocalWithItsOffsetEitherSideOfUtc) {
    EXPECT_EQ(FormatLogTime(kNoon, 0), "2024-05-01T12:03:22+00:00");
    EXPECT_EQ(FormatLogTime(kNoon, -(3 * 3600 + 30 * 60)), "2024-05-01T08:33:22-03:30");
    // Across midnight and a leap day.
    EXPECT_EQ(FormatLogTime(1709251199, 3600), "2024-03-01T00:59:59+01:00");
    // The wall clock's own offset: whatever the zone, the stamp names the same instant.
    const auto when = std::chrono::system_clock::from_time_t(kNoon);
    const RunLogRecord stamped = StampedRecord(when);
    std::string why;
    const auto parsed = ParseRunLogLine(FormatRunLogLine(stamped), why);
    ASSERT_TRUE(parsed) << why;
    EXPECT_EQ(parsed->time, kNoon);
    EXPECT_EQ(parsed->utcOffset, stamped.utcOffset);
}

TEST(RunLogRecordTest, DeadTimePercentageIsOfLivePlusDead) {
    EXPECT_EQ(DeadTimePercentage(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(DeadTimePercentage(3, 1), 25.0);
    EXPECT_DOUBLE_EQ(DeadTimePercentage(2, 1), 100.0 / 3);
    EXPECT_DOUBLE_EQ(DeadTimePercentage(0, 5), 100.0);
}

TEST(RunLogRecordTest, BlocksThatWereNotReadLeaveTheirColumnsEmpty) {
    RunLogRecord r = FullRecord();
    r.readings = {};
    r.result = 2;
    EXPECT_EQ(FormatRunLogLine(r), "2024-05-01T14:03:22+02:00,,,,,,,,,,,2");
    // Counters read, high voltage failed: the vibrator was never reached.
    r.readings.counters = CounterReadings{10, 20, 30, 10, 1, 2};
    r.result = 4;
    EXPECT_EQ(FormatRunLogLine(r), "2024-05-01T14:03:22+02:00,10,20,30,10,25.0,,,,1,2,4");
}

TEST(RunLogRecordTest, ALineReadsBackAsItWasWritten) {
    for (RunLogRecord r : {FullRecord(), RunLogRecord{kNoon, -7200, {}, 15}}) {
        std::string why;
        const auto back = ParseRunLogLine(FormatRunLogLine(r), why);
        ASSERT_TRUE(back) << why;
        EXPECT_EQ(back->time, r.time);
        EXPECT_EQ(back->utcOffset, r.utcOffset);
        EXPECT_EQ(back->result, r.result);
        EXPECT_EQ(back->readings.counters.has_value(), r.readings.counters.has_value());
        EXPECT_EQ(back->readings.amplitudeCurrent, r.readings.amplitudeCurrent);
        if (r.readings.counters) {
            EXPECT_EQ(back->readings.counters->Qv2CyclesDone, 4294967295u);
            EXPECT_EQ(back->readings.counters->Qv1Rate, 7012);
            EXPECT_EQ(back->readings.highVoltage->HvCurrent, 600);
            EXPECT_NEAR(back->readings.highVoltage->Volts, 812.5, 1e-9);
        }
    }
    std::string why;
    EXPECT_TRUE(ParseRunLogLine("2024-05-01T12:03:22Z,,,,,,,,,,,7\r", why)) << why;
}

TEST(RunLogRecordTest, TornAndGarbledLinesAreRefusedWithAReason) {
    const std::string whole = FormatRunLogLine(FullRecord());
    std::string why;
    // A line cut anywhere before its end is never taken for a whole one.
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        EXPECT_FALSE(ParseRunLogLine(whole.substr(0, cut), why)) << whole.substr(0, cut);
    }
    EXPECT_FALSE(ParseRunLogLine(RunLogHeader(), why));
    EXPECT_EQ(why, "a header line");
    EXPECT_FALSE(ParseRunLogLine(std::string(40, '\0'), why));
    EXPECT_FALSE(ParseRunLogLine("2024-13-01T12:03:22Z,,,,,,,,,,,0", why));
    EXPECT_FALSE(ParseRunLogLine("2024-05-01T12:03:22Z,1,2,3,4,5.0,6,7.0,8,9,x,0", why));
    EXPECT_EQ(why, "a column that is not a number");
    // Half of the counters' columns: not a line the program writes.
    EXPECT_FALSE(ParseRunLogLine("2024-05-01T12:03:22Z,1,2,,,,6,7.0,8,,,0", why));
    EXPECT_FALSE(ParseRunLogLine("2024-05-01T12:03:22Z,,,,,,,,,,,", why));
}

TEST(RunLogFileTest, NameSitsBesideTheDataFile) {
    EXPECT_EQ(RunLogPathBeside("/data/run7.qv"), "/data/run7.log.csv");
    EXPECT_EQ(RunLogPathBeside("/data/RUN7.QV"), "/data/RUN7.log.csv");
    EXPECT_EQ(RunLogPathBeside("/data/run7.dat"), "/data/run7.dat.log.csv");
    EXPECT_EQ(RunLogPathBeside("/data/run.qv1"), "/data/run.qv1.log.csv");
    RunLog log;
    EXPECT_FALSE(log.PathFor(""));
    EXPECT_EQ(log.PathFor("/data/a.qv"), "/data/a.log.csv");
    log.SetPath("/logs/all.csv");
    EXPECT_EQ(log.PathFor(""), "/logs/all.csv");
    EXPECT_EQ(log.PathFor("/data/a.qv"), "/logs/all.csv");
}

TEST(RunLogFileTest, HeaderOnlyOnceThenOneLinePerAppend) {
    TempDir dir;
    const std::string path = dir / "a.log.csv";
    EXPECT_EQ(AppendRunLogLine(path, "one"), "");
    EXPECT_EQ(AppendRunLogLine(path, "two"), "");
    EXPECT_EQ(ReadAll(path), RunLogHeader() + "\none\ntwo\n");
    // An empty file (created by hand, or truncated) gets its header too.
    WriteText(path, "");
    EXPECT_EQ(AppendRunLogLine(path, "three"), "");
    EXPECT_EQ(ReadAll(path), RunLogHeader() + "\nthree\n");
}

TEST(RunLogFileTest, AfterATornLastLineTheNextAppendStartsOnANewLine) {
    TempDir dir;
    const std::string path = dir / "a.log.csv";
    WriteText(path, RunLogHeader() + "\nwhole\n2024-05-01T12:0");
    EXPECT_EQ(AppendRunLogLine(path, "next"), "");
    EXPECT_EQ(ReadAll(path), RunLogHeader() + "\nwhole\n2024-05-01T12:0\nnext\n");
}

TEST(RunLogFileTest, AFileThatCannotBeWrittenSaysWhyAndIsWarnedOfOnce) {
    TempDir dir;
    const std::string missing = dir / "no-such-folder/a.log.csv";
    EXPECT_EQ(AppendRunLogLine(missing, "x"), "No such file or directory");
    RunLog log;
    log.SetPath(missing);
    const std::string first = log.Record("", {}, 0);
    EXPECT_EQ(first, RunLogFailureText(missing, "No such file or directory"));
    EXPECT_NE(first.find(missing), std::string::npos);
    EXPECT_EQ(log.Record("", {}, 0), "");
    // Another file is another warning.
    const std::string other = dir / "gone/b.log.csv";
    log.SetPath(other);
    EXPECT_NE(log.Record("", {}, 0), "");
    EXPECT_EQ(log.Record("", {}, 0), "");
}

TEST(RunLogFileTest, ARecordIsStampedByTheLogsClock) {
    TempDir dir;
    RunLog log;
    log.SetClock([] { return std::chrono::system_clock::from_time_t(kNoon); });
    EXPECT_EQ(log.Record("", {}, 0), "");  // no data file, no --log: nothing
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    EXPECT_EQ(log.Record(dir / "m.qv", {}, 6), "");
    const std::string text = ReadAll(dir / "m.log.csv");
    const std::size_t second = text.find('\n') + 1;
    std::string why;
    const auto record = ParseRunLogLine(text.substr(second, text.size() - 1 - second), why);
    ASSERT_TRUE(record) << why << text;
    EXPECT_EQ(record->time, kNoon);
    EXPECT_EQ(record->result, 6);
}

}  // namespace
}  // namespace qv::test

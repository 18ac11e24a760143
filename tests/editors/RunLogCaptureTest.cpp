// Every capture of the document appends one line to its run log, with what the
// block captures read from the virtual card.
#include <fstream>
#include <sstream>

#include "CardClockFixture.h"
#include "document/QvDoc.h"
#include "document/RunLogRecord.h"
#include "document/TempDir.h"
#include "editors/DocumentEditors.h"
#include "hardware/RunControlBits.h"

namespace qv::test {
namespace {

std::vector<std::string> LinesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// A 24-bit field of a read's bytes.
std::int32_t Field24(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16;
}

class RunLogCaptureTest : public CardClockTest {
protected:
    void SetUp() override {
        CardClockTest::SetUp();
        MakeDocument();
    }
    void MakeDocument() {
        doc = std::make_unique<CQvDoc>(ui, std::nullopt);
        doc->OnNewDocument();
        doc->SetHardwareEditors(&editors);
        doc->SetPathName(dir / "run.qv");
    }
    std::string LogPath() const { return dir / "run.log.csv"; }
    // The lines after the header, parsed.
    std::vector<RunLogRecord> Records() {
        std::vector<RunLogRecord> records;
        const auto lines = LinesOf(LogPath());
        EXPECT_FALSE(lines.empty());
        for (std::size_t i = 1; i < lines.size(); ++i) {
            std::string why;
            const auto record = ParseRunLogLine(lines[i], why);
            EXPECT_TRUE(record) << lines[i] << ": " << why;
            if (record) {
                records.push_back(*record);
            }
        }
        return records;
    }
    void Write(std::uint8_t command, std::vector<std::uint8_t> bytes) {
        CHardwarePort port;
        ASSERT_EQ(port.WriteCommand(command, bytes.data(), static_cast<int>(bytes.size())), 0);
    }
    // High voltage at 345 and the vibrator's amplitude at 123, current values
    // set outright (keep bits clear), and all three memories counting for a
    // few seconds.
    void PrepareCard() {
        Write(kCmdWriteHighVoltage, {345 & 0xFF, 345 >> 8, 345 & 0xFF, 0xF0 | 345 >> 8});
        Write(kCmdWriteVibrator, {0, 0xC0, 0, 0xF0, 123, 0, 123, 0xF4, 0x00, 0xC8, 0x00, 0xF8});
        Write(kCmdWriteRunControl, {kGoQv2 | kCountQv2 | kGoQv1 | kCountQv1, kGoAa | kCountAa});
        clock.Set(5000);
        CHardwarePort port;
        std::uint8_t state[2] = {};
        ASSERT_EQ(port.ReadCommand(kCmdReadRunState, state, 2), 0);
        recorder.Clear();
    }
    // Bytes of the capture's read of command 6 (rates at 16..18 and 19..21).
    std::vector<std::uint8_t> StartsRead() const {
        for (const auto& e : recorder.entries) {
            if (e.kind == Transfer::Kind::Read && e.command == kCmdReadCounterStarts) {
                return e.bytes;
            }
        }
        ADD_FAILURE() << "no read of command 6";
        return {};
    }

    TempDir dir;
    DocumentEditors editors;
    std::unique_ptr<CQvDoc> doc;
};

TEST_F(RunLogCaptureTest, ALineCarriesWhatTheCaptureReadFromTheCard) {
    PrepareCard();
    ASSERT_EQ(doc->CaptureHardwareState(), 0);
    const auto records = Records();
    ASSERT_EQ(records.size(), 1u);
    const RunLogRecord& r = records[0];
    EXPECT_EQ(r.result, 0);
    const CountersTimersBlock& ct = doc->Data().Settings.CountersTimers;
    ASSERT_TRUE(r.readings.counters);
    const CounterReadings& c = *r.readings.counters;
    EXPECT_EQ(c.AaLiveTime, ct.AaLiveTime);
    EXPECT_EQ(c.AaDeadTime, ct.AaDeadTime);
    EXPECT_GT(c.AaLiveTime, 0);
    EXPECT_EQ(c.Qv1CyclesDone, ct.Qv1CyclesStart - ct.Qv1CyclesCurrent);
    EXPECT_EQ(c.Qv2CyclesDone, ct.Qv2CyclesStart - ct.Qv2CyclesCurrent);
    EXPECT_GT(c.Qv1CyclesDone, 10u);  // about 5.7 sweeps a second
    EXPECT_LT(c.Qv1CyclesDone, 40u);
    const std::vector<std::uint8_t> starts = StartsRead();
    EXPECT_EQ(c.Qv1Rate, Field24(starts, 16));
    EXPECT_EQ(c.Qv2Rate, Field24(starts, 19));
    EXPECT_GT(c.Qv1Rate + c.Qv2Rate, 0);
    ASSERT_TRUE(r.readings.highVoltage);
    EXPECT_EQ(r.readings.highVoltage->HvCurrent, 345);
    // 345 x 1.4067 - 31.57, as the editor's read-out shows it.
    EXPECT_NEAR(r.readings.highVoltage->Volts, 453.7, 0.05);
    EXPECT_EQ(r.readings.amplitudeCurrent, 123);
    // The stamp is the wall clock's.
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    EXPECT_NEAR(static_cast<double>(r.time), static_cast<double>(now), 5.0);
}

TEST_F(RunLogCaptureTest, OneLinePerCaptureOfEitherKindAndTheHeaderOnce) {
    PrepareCard();
    EXPECT_EQ(doc->CaptureHardwareState(), 0);
    // The autosave's capture runs the plain one inside: still one line.
    EXPECT_EQ(doc->SuspendedCapture(), 0);
    EXPECT_EQ(doc->CaptureHardwareState(), 0);
    const auto lines = LinesOf(LogPath());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], RunLogHeader());
    for (const RunLogRecord& r : Records()) {
        EXPECT_EQ(r.result, 0);
        EXPECT_TRUE(r.readings.counters && r.readings.highVoltage && r.readings.amplitudeCurrent);
    }
}

TEST_F(RunLogCaptureTest, AFailedCaptureLogsItsNumberAndOnlyWhatItRead) {
    HardwareGlobals::Instance().suspend = 1;
    EXPECT_EQ(doc->CaptureHardwareState(), 7);
    HardwareGlobals::Instance().suspend = 0;
    RemoveCard();
    EXPECT_EQ(doc->CaptureHardwareState(), 2);
    EXPECT_EQ(doc->SuspendedCapture(), 11);
    const auto records = Records();
    ASSERT_EQ(records.size(), 3u);
    // The blocks were read before the suspend flag stopped the capture.
    EXPECT_EQ(records[0].result, 7);
    EXPECT_TRUE(records[0].readings.counters && records[0].readings.amplitudeCurrent);
    for (const RunLogRecord& r : {records[1], records[2]}) {
        EXPECT_FALSE(r.readings.counters);
        EXPECT_FALSE(r.readings.highVoltage);
        EXPECT_FALSE(r.readings.amplitudeCurrent);
    }
    EXPECT_EQ(records[1].result, 2);
    EXPECT_EQ(records[2].result, 11);
    // A fresh capture does not keep the readings of an earlier one.
    EXPECT_EQ(LinesOf(LogPath()).back().find(",,,,,,,,,,,11"), 25u);
}

TEST_F(RunLogCaptureTest, ADocumentWithoutAFileAndWithoutALogPathWritesNoLog) {
    doc->OnNewDocument();  // untitled again
    doc->SetPathName("");
    EXPECT_EQ(doc->CaptureHardwareState(), 0);
    EXPECT_FALSE(doc->RunLogPath());
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    // --log: the same capture goes there, file or no file.
    doc->SetRunLogPath(dir / "all.csv");
    EXPECT_EQ(doc->CaptureHardwareState(), 0);
    EXPECT_EQ(LinesOf(dir / "all.csv").size(), 2u);
    doc->SetPathName(dir / "named.qv");
    EXPECT_EQ(doc->CaptureHardwareState(), 0);
    EXPECT_EQ(LinesOf(dir / "all.csv").size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(dir / "named.log.csv"));
}

TEST_F(RunLogCaptureTest, ALogThatCannotBeWrittenNeverFailsTheCaptureAndIsSaidOnce) {
    const std::string path = dir / "gone/run.log.csv";
    doc->SetRunLogPath(path);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(doc->CaptureHardwareState(), 0);
    }
    EXPECT_EQ(doc->SuspendedCapture(), 0);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].caption, "Run log");
    EXPECT_EQ(ui.Boxes()[0].text, RunLogFailureText(path, "No such file or directory"));
    EXPECT_EQ(ui.Boxes()[0].icon, MsgIcon::Exclamation);
    // The measurement itself was taken.
    EXPECT_GT(doc->Data().Settings.CountersTimers.Qv1CyclesStart, 0u);
    EXPECT_TRUE(doc->IsModified());
}

}  // namespace
}  // namespace qv::test

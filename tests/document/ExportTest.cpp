#include "document/ExportFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "document/QvDoc.h"
#include "document/TempDir.h"
#include "framework/FileSizeLimit.h"
#include "framework/HeadlessUi.h"
#include "hardware/HardwareGlobals.h"

namespace qv {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::U32At;

std::string HeaderOf(const std::string& remark) {
    const auto h = ExportHeader(remark);
    return std::string(h.begin(), h.end());
}

std::string Padded(const std::string& text) {
    return text + std::string(80 - text.size(), ' ');
}

TEST(ExportHeader, RemarkReducedToPrintableAsciiAndPadded) {
    EXPECT_EQ(HeaderOf(""), std::string(80, ' '));
    EXPECT_EQ(HeaderOf("ab cd\r\nef gh"), Padded("ab cd ef gh"));
    EXPECT_EQ(HeaderOf("\r\n\tFe57"), Padded(" Fe57"));
    EXPECT_EQ(HeaderOf("a\x7F\x80\xFF"
                       "b\x1F"),
              Padded("a b "));
    EXPECT_EQ(HeaderOf("~ !"), Padded("~ !"));
    std::string longRemark;
    for (int i = 0; i < 100; ++i) {
        longRemark += static_cast<char>('0' + i % 10);
    }
    EXPECT_EQ(HeaderOf(longRemark), longRemark.substr(0, 80));
    // A run of line breaks takes one position, so the cut falls later.
    EXPECT_EQ(HeaderOf(std::string(79, 'x') + "\r\n\r\nyz"), std::string(79, 'x') + " ");
}

TEST(ExportHeaderWords, CyclesDoneAndVibratorDivider) {
    SettingsImage s{};
    s.CountersTimers.Qv2CyclesStart = 100;
    s.CountersTimers.Qv2CyclesCurrent = 40;
    s.CountersTimers.Qv1CyclesStart = 7;  // the Qv1 counters play no part
    s.CountersTimers.Qv1CyclesCurrent = 3;
    EXPECT_EQ(ComputeExportHeaderWords(s).cycles, 60);
    EXPECT_EQ(ComputeExportHeaderWords(s).divider, 4096);
    s.Vibrator.K = 3;
    s.Vibrator.L = 10;
    EXPECT_EQ(ComputeExportHeaderWords(s).divider, (1024 - 40) * 7);
    s.CountersTimers.Qv2CyclesStart = 0;
    s.CountersTimers.Qv2CyclesCurrent = 1;
    EXPECT_EQ(ComputeExportHeaderWords(s).cycles, -1);
}

TEST(ExportBasePath, CutAtTheLastDotOfTheFileName) {
    EXPECT_EQ(ExportBasePath("/x/run5.qv"), "/x/run5.qv");
    EXPECT_EQ(ExportBasePath("/data.old/run5"), "/data.old/run5.qv");
    EXPECT_EQ(ExportBasePath("/x/run5"), "/x/run5.qv");
    EXPECT_EQ(ExportBasePath("/x/a.b.qvs"), "/x/a.b.qv");
    EXPECT_EQ(ExportBasePath("run5.txt"), "run5.qv");
}

constexpr char kLetters[] = {'1', '2', 'l', 'a', 'c', 's'};

class ExportSet : public ::testing::Test {
protected:
    void SetUp() override {
        m = std::make_unique<Measurement>();
        m->Remark = "Fe foil\r\n300 K";
        m->Settings.CountersTimers.Qv2CyclesStart = 100;
        m->Settings.CountersTimers.Qv2CyclesCurrent = 40;
        for (std::size_t c = 0; c < kChannels; ++c) {
            const auto n = static_cast<std::uint32_t>(c);
            m->Qv1[c] = 0x10000 + n;
            m->Qv2[c] = 0x20000 + n;
            m->AaAntiCoinc()[c] = 0x30000 + n;
            m->AaCoinc()[c] = 0x40000 + n;
        }
        m->AaAntiCoinc()[7] = 0xFFFFFFFFu;  // the sum wraps to 0x40006
    }

    static void ExpectFile(const std::string& path, bool words, std::uint32_t first,
                           std::uint32_t channel7, std::uint32_t last) {
        SCOPED_TRACE(path);
        const auto b = ReadBytes(path);
        ASSERT_EQ(b.size(), words ? 16472u : 16464u);
        EXPECT_EQ(std::string(b.begin(), b.begin() + 80), Padded("Fe foil 300 K"));
        const std::size_t counts = words ? 88 : 80;
        if (words) {
            EXPECT_EQ(U32At(b, 80), 60u);
            EXPECT_EQ(U32At(b, 84), 4096u);
        }
        EXPECT_EQ(U32At(b, counts), first);
        EXPECT_EQ(U32At(b, counts + 4 * 7), channel7);
        EXPECT_EQ(U32At(b, counts + 4 * 4095), last);
    }

    TempDir dir;
    HeadlessUi ui;
    std::unique_ptr<Measurement> m;
};

TEST_F(ExportSet, SixFilesWithTheirSpectra) {
    // An existing longer file is replaced without a question.
    test::WriteText(dir / "run5.qv1", std::string(20000, 'z'));
    EXPECT_EQ(WriteExportSet(ui, *m, dir / "run5.qv"), 6);
    EXPECT_TRUE(ui.Boxes().empty());
    ExpectFile(dir / "run5.qv1", false, 0x10000, 0x10007, 0x10FFF);
    ExpectFile(dir / "run5.qv2", false, 0x20000, 0x20007, 0x20FFF);
    ExpectFile(dir / "run5.qvl", true, 0x20000, 0x20007, 0x20FFF);
    ExpectFile(dir / "run5.qva", false, 0x30000, 0xFFFFFFFFu, 0x30FFF);
    ExpectFile(dir / "run5.qvc", false, 0x40000, 0x40007, 0x40FFF);
    ExpectFile(dir / "run5.qvs", false, 0x70000, 0x40006, 0x71FFE);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 6);
}

TEST_F(ExportSet, StopsAtTheFirstFileThatCannotBeCreated) {
    // A directory in the way of one file shows the write order: the files
    // before it are written, none after it.
    for (std::size_t failing = 0; failing < std::size(kLetters); ++failing) {
        SCOPED_TRACE(kLetters[failing]);
        ui.Clear();
        const std::filesystem::path sub = dir.Path() / std::to_string(failing);
        std::filesystem::create_directories(sub / (std::string("run.qv") + kLetters[failing]));
        EXPECT_EQ(WriteExportSet(ui, *m, (sub / "run").string()), static_cast<int>(failing));
        ASSERT_EQ(ui.Boxes().size(), 1u);
        EXPECT_EQ(ui.Boxes()[0].text, "Can not open file");
        EXPECT_EQ(ui.Boxes()[0].caption, "Export data");
        EXPECT_EQ(ui.Boxes()[0].buttons, MsgButtons::Ok);
        for (std::size_t i = 0; i < std::size(kLetters); ++i) {
            const auto file = sub / (std::string("run.qv") + kLetters[i]);
            if (i < failing) {
                EXPECT_TRUE(std::filesystem::is_regular_file(file)) << file;
            } else if (i > failing) {
                EXPECT_FALSE(std::filesystem::exists(file)) << file;
            }
        }
    }
}

// A full disk half way through a file must leave no cut file that Pelmix would
// read as a spectrum: the file of the earlier export stays whole.
TEST_F(ExportSet, WriteFailureLeavesThePreviousFileWhole) {
    ASSERT_EQ(WriteExportSet(ui, *m, dir / "run.qv"), kExportFileCount);
    const auto before = ReadBytes(dir / "run.qv1");
    m->Qv1.fill(7);
    int written = -1;
    {
        test::FileSizeLimit limit(10000);  // less than one export file
        ASSERT_TRUE(limit.Active());
        written = WriteExportSet(ui, *m, dir / "run.qv");
    }
    EXPECT_EQ(written, 0);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text,
              "Can not write file:\n" + dir / "run.qv1" + "\n" + std::strerror(EFBIG));
    EXPECT_EQ(ui.Boxes()[0].caption, "Export data");
    EXPECT_EQ(ReadBytes(dir / "run.qv1"), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}),
              kExportFileCount);  // no temporary left behind
}

TEST_F(ExportSet, ReadOnlyFileOfTheSetIsNotReplaced) {
    test::WriteText(dir / "run.qv2", "kept");
    ASSERT_EQ(chmod((dir / "run.qv2").c_str(), 0444), 0);
    EXPECT_EQ(WriteExportSet(ui, *m, dir / "run.qv"), 1);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, "Can not open file");
    EXPECT_EQ(ReadBytes(dir / "run.qv2"), (std::vector<unsigned char>{'k', 'e', 'p', 't'}));
    EXPECT_FALSE(std::filesystem::exists(dir / "run.qvl"));
}

// "out/" would give hidden files ".qv1" ... inside the folder, "out" files
// beside it: both are refused before anything is written.
TEST_F(ExportSet, PathNamingAFolderIsRefused) {
    std::filesystem::create_directory(dir / "out");
    for (const std::string& chosen : {dir / "out/", dir / "out", dir / "out/.", dir / "new/"}) {
        SCOPED_TRACE(chosen);
        ui.Clear();
        EXPECT_TRUE(ExportPathNamesAFolder(chosen));
        EXPECT_EQ(WriteExportSet(ui, *m, chosen), 0);
        ASSERT_EQ(ui.Boxes().size(), 1u);
        EXPECT_EQ(ui.Boxes()[0].text, "The export path names a folder, not a file:\n" + chosen +
                                          "\nGive a file name for the six export files.");
        EXPECT_EQ(ui.Boxes()[0].caption, "Export data");
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir / "out"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    EXPECT_FALSE(ExportPathNamesAFolder(dir / "out/run5"));
    EXPECT_FALSE(ExportPathNamesAFolder("run5.qv"));
}

TEST_F(ExportSet, DocumentCommandAsksWithASaveDialog) {
    HardwareGlobals::Instance().Reset();
    auto doc = std::make_unique<CQvDoc>(ui, std::nullopt);
    doc->OnNewDocument();
    doc->Data() = *m;

    doc->OnExport();  // cancelled: nothing written
    ASSERT_EQ(ui.FileDialogs().size(), 1u);
    EXPECT_EQ(ui.FileDialogs()[0].initialPath, "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    ASSERT_TRUE(doc->OnSaveDocument(dir / "meas.qv"));
    std::filesystem::create_directory(dir / "out.d");
    ui.QueueFile(dir / "out.d/run5");
    doc->OnExport();
    ASSERT_EQ(ui.FileDialogs().size(), 2u);
    const FileDialogRequest& r = ui.FileDialogs()[1];
    EXPECT_TRUE(r.save);
    EXPECT_EQ(r.initialPath, dir / "meas.qv");
    EXPECT_EQ(r.defaultExtension, "");
    EXPECT_EQ(r.filter, "QvData (.qv*)|*.qv*|All (*.*)|*.*||");
    EXPECT_EQ(r.flags, static_cast<unsigned>(kHideReadOnly | kLongNames));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out.d"), {}), 6);
    ExpectFile(dir / "out.d/run5.qvl", true, 0x20000, 0x20007, 0x20FFF);
    ExpectFile(dir / "out.d/run5.qvs", false, 0x70000, 0x40006, 0x71FFE);
    EXPECT_TRUE(ui.Boxes().empty());
    HardwareGlobals::Instance().Reset();
}

}  // namespace
}  // namespace qv

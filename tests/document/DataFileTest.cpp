#include "document/DataFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "document/QvDoc.h"
#include "document/TempDir.h"
#include "framework/FrameworkMessages.h"
#include "framework/HeadlessUi.h"
#include "framework/InputFile.h"
#include "hardware/HardwareGlobals.h"

namespace qv {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::U32At;
using test::WriteBytes;

constexpr std::size_t kEmptyRemarkFileSize = 65733;
const std::string kSignature = "Z_uJ1S_hU9t_g4Z";

bool SameMeasurement(const Measurement& a, const Measurement& b) {
    return a.Remark == b.Remark && std::memcmp(&a.Stamp, &b.Stamp, sizeof a.Stamp) == 0 &&
           std::memcmp(&a.Settings, &b.Settings, sizeof a.Settings) == 0 && a.Qv2 == b.Qv2 &&
           a.Qv1 == b.Qv1 && a.Aa == b.Aa;
}

// Every byte of the measurement non-zero and position dependent.
void FillDistinct(Measurement& m, std::uint32_t seed) {
    m.Remark = "remark " + std::to_string(seed);
    m.Stamp = {static_cast<std::int32_t>(seed), 2, 3};
    auto* slots = reinterpret_cast<std::uint32_t*>(&m.Settings);
    for (std::size_t i = 0; i < sizeof m.Settings / 4; ++i) {
        slots[i] = seed * 1000 + static_cast<std::uint32_t>(i) + 1;
    }
    for (std::size_t c = 0; c < kChannels; ++c) {
        const auto n = static_cast<std::uint32_t>(c);
        m.Qv2[c] = seed + 0x20000 + n;
        m.Qv1[c] = seed + 0x10000 + n;
        m.AaAntiCoinc()[c] = seed + 0x30000 + n;
        m.AaCoinc()[c] = seed + 0x40000 + n;
    }
}

class DataFile : public ::testing::Test {
protected:
    void SetUp() override {
        HardwareGlobals::Instance().Reset();
        doc = std::make_unique<CQvDoc>(ui, std::nullopt);
        ASSERT_TRUE(doc->OnNewDocument());
    }
    void TearDown() override { HardwareGlobals::Instance().Reset(); }

    // The document holding a known measurement, opened from a file of its own.
    void OpenReference() {
        FillDistinct(doc->Data(), 5);
        ASSERT_TRUE(doc->OnSaveDocument(dir / "reference.qv"));
        ASSERT_TRUE(doc->OnOpenDocument(dir / "reference.qv"));
        doc->SetModifiedFlag();
        reference = std::make_unique<Measurement>(doc->Data());
        ui.Clear();
    }

    void ExpectUnchanged() {
        EXPECT_TRUE(SameMeasurement(doc->Data(), *reference));
        EXPECT_EQ(doc->GetPathName(), dir / "reference.qv");
        EXPECT_EQ(doc->GetTitle(), "reference.qv");
        EXPECT_TRUE(doc->IsModified());
    }

    std::vector<unsigned char> SavedBytes(const std::string& name) {
        EXPECT_TRUE(doc->OnSaveDocument(dir / name));
        return ReadBytes(dir / name);
    }

    TempDir dir;
    HeadlessUi ui;
    std::unique_ptr<CQvDoc> doc;
    std::unique_ptr<Measurement> reference;
};

TEST_F(DataFile, NewDocumentFileLayout) {
    const auto bytes = SavedBytes("new.qv");
    ASSERT_EQ(bytes.size(), kEmptyRemarkFileSize);
    EXPECT_EQ(bytes[0], 15);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 16), kSignature);
    for (std::size_t i = 16; i < bytes.size(); ++i) {
        ASSERT_EQ(bytes[i], 0) << "offset " << i;
    }
}

TEST_F(DataFile, EveryRunAtItsOffset) {
    FillDistinct(doc->Data(), 3);
    doc->Data().Remark = "abc";
    doc->Data().Settings.HighVoltage.HvSlope = 1.5f;
    const auto b = SavedBytes("layout.qv");
    const std::size_t n = 4;
    ASSERT_EQ(b.size(), 65732 + n);
    EXPECT_EQ(U32At(b, 16), 0u);
    EXPECT_EQ(std::string(b.begin() + 20, b.begin() + 24), std::string("\x03") + "abc");
    EXPECT_EQ(U32At(b, 20 + n), 3u);  // version 1 of the stamp
    // Slot i of the settings image, counters and timers first, vibrator last.
    for (std::size_t i = 0; i < 41; ++i) {
        if (i != 13 + 15 + 3) {
            EXPECT_EQ(U32At(b, 32 + n + 4 * i), 3001 + i) << "slot " << i;
        }
    }
    EXPECT_EQ(U32At(b, 144 + n + 12), 0x3FC00000u);  // 1.5f, unconverted
    for (std::size_t c : {0u, 4095u}) {
        EXPECT_EQ(U32At(b, 196 + n + 4 * c), 0x20003 + c);
        EXPECT_EQ(U32At(b, 16580 + n + 4 * c), 0x10003 + c);
        EXPECT_EQ(U32At(b, 32964 + n + 4 * c), 0x30003 + c);
        EXPECT_EQ(U32At(b, 49348 + n + 4 * c), 0x40003 + c);
    }
}

TEST_F(DataFile, RemarkPrefixGrowsAt255Characters) {
    doc->Data().Remark = std::string(254, 'r');
    auto b = SavedBytes("254.qv");
    EXPECT_EQ(b.size(), 65732u + 1 + 254);
    EXPECT_EQ(b[20], 254);
    EXPECT_EQ(b[21], 'r');

    doc->Data().Remark = std::string(255, 'r');
    b = SavedBytes("255.qv");
    EXPECT_EQ(b.size(), 65732u + 3 + 255);
    EXPECT_EQ(std::vector<unsigned char>(b.begin() + 20, b.begin() + 24),
              (std::vector<unsigned char>{0xFF, 0xFF, 0x00, 'r'}));

    auto other = std::make_unique<CQvDoc>(ui, std::nullopt);
    ASSERT_TRUE(other->OnOpenDocument(dir / "255.qv"));
    EXPECT_EQ(other->Data().Remark, std::string(255, 'r'));
}

TEST_F(DataFile, Windows1252RemarkRoundTripsByteForByte) {
    std::string remark = "Fe\r\n";
    for (int c = 0x80; c <= 0xFF; ++c) {
        remark += static_cast<char>(c);
    }
    remark += "\r\nend";
    FillDistinct(doc->Data(), 9);
    doc->Data().Remark = remark;
    const auto b = SavedBytes("cp1252.qv");
    ASSERT_EQ(b[20], remark.size());
    EXPECT_EQ(std::string(b.begin() + 21, b.begin() + 21 + remark.size()), remark);

    auto other = std::make_unique<CQvDoc>(ui, std::nullopt);
    ASSERT_TRUE(other->OnOpenDocument(dir / "cp1252.qv"));
    EXPECT_TRUE(SameMeasurement(other->Data(), doc->Data()));
    EXPECT_TRUE(ui.Boxes().empty());
    ASSERT_TRUE(other->OnSaveDocument(dir / "again.qv"));
    EXPECT_EQ(ReadBytes(dir / "again.qv"), b);
}

TEST_F(DataFile, WrongSignatureOrVersionIsRefusedAndChangesNothing) {
    OpenReference();
    const auto good = ReadBytes(dir / "reference.qv");
    auto lowerCase = good;
    lowerCase[1] = 'z';
    auto version1 = good;
    version1[16] = 1;
    auto highVersion = good;
    highVersion[19] = 0x80;
    auto shortSignature = good;
    shortSignature[0] = 14;  // a prefix of the right signature
    for (const auto& bytes : {lowerCase, version1, highVersion, shortSignature}) {
        ui.Clear();
        WriteBytes(dir / "foreign.qv", bytes);
        EXPECT_FALSE(doc->OnOpenDocument(dir / "foreign.qv"));
        ASSERT_EQ(ui.Boxes().size(), 1u);
        EXPECT_EQ(ui.Boxes()[0].text, "Incompatible file type or version.\nAbort.");
        EXPECT_EQ(ui.Boxes()[0].caption, "");
        EXPECT_EQ(ui.Boxes()[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(ui.Boxes()[0].icon, MsgIcon::Exclamation);
        ExpectUnchanged();
    }
    // The refused file is still not the document's: saving goes to the old one.
    ASSERT_TRUE(doc->OnSaveDocument(doc->GetPathName()));
    EXPECT_EQ(ReadBytes(dir / "foreign.qv"), shortSignature);
}

TEST_F(DataFile, FileEndingInsideTheMeasurementLoadsWhatIsThereAndZeroesTheRest) {
    OpenReference();
    auto source = std::make_unique<Measurement>();
    FillDistinct(*source, 77);
    source->Remark = "xy";  // n = 3
    doc->Data() = *source;
    const auto full = SavedBytes("full.qv");
    doc->Data() = *reference;

    // Just after the remark; inside the analogue block (mid-slot); inside Qv1;
    // inside the coincidence half of Aa; one byte short.
    const std::vector<std::size_t> cuts = {23, 23 + 12 + 52 + 10, 23 + 176 + 16384 + 400,
                                           23 + 176 + 16384 * 3 + 8, full.size() - 1};
    for (std::size_t cut : cuts) {
        SCOPED_TRACE(cut);
        ui.Clear();
        const std::string path = dir / "cut.qv";
        WriteBytes(path, std::vector<unsigned char>(full.begin(), full.begin() + cut));
        doc->SetModifiedFlag();
        ASSERT_TRUE(doc->OnOpenDocument(path));
        ASSERT_EQ(ui.Boxes().size(), 1u);
        EXPECT_EQ(ui.Boxes()[0].text, FormatIncompleteFileMessage(path));
        EXPECT_NE(ui.Boxes()[0].text.find(path), std::string::npos);
        EXPECT_EQ(ui.Boxes()[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(doc->GetPathName(), path);
        EXPECT_EQ(doc->GetTitle(), "cut.qv");
        EXPECT_FALSE(doc->IsModified());

        // The loaded file, re-saved, is the cut file padded with zeros.
        auto expected = std::vector<unsigned char>(full.begin(), full.begin() + cut);
        expected.resize(full.size(), 0);
        const auto resaved = SavedBytes("resaved.qv");
        EXPECT_EQ(resaved, expected);
        EXPECT_EQ(doc->Data().Remark, "xy");

        const SpectrumStatistics want = ComputeStatistics(doc->Data());
        EXPECT_EQ(doc->Statistics().AaSumMaximum, want.AaSumMaximum);
        EXPECT_EQ(doc->Statistics().Qv1Minimum, want.Qv1Minimum);
        EXPECT_EQ(doc->Statistics().Qv1Range, want.Qv1Range);
        EXPECT_EQ(doc->Statistics().Qv2Minimum, want.Qv2Minimum);
        doc->Data() = *reference;
    }
}

TEST_F(DataFile, FileEndingBeforeTheRemarkIsCompleteIsNotOpened) {
    OpenReference();
    auto good = ReadBytes(dir / "reference.qv");
    std::vector<std::vector<unsigned char>> files;
    for (std::size_t cut : {0u, 10u, 16u, 19u, 20u, 25u}) {
        files.emplace_back(good.begin(), good.begin() + cut);
    }
    // A whole-length file whose remark claims 0x7FFFFFFF characters.
    auto huge = good;
    const unsigned char prefix[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
    huge.insert(huge.begin() + 20, prefix, prefix + sizeof prefix);
    files.push_back(huge);
    // A 16-bit length that is one more than what follows.
    auto longer = std::vector<unsigned char>(good.begin(), good.begin() + 20);
    longer.insert(longer.end(), {0xFF, 0x00, 0x01});
    longer.insert(longer.end(), 255, 'q');
    files.push_back(longer);

    for (const auto& bytes : files) {
        SCOPED_TRACE(bytes.size());
        ui.Clear();
        const std::string path = dir / "damaged.qv";
        WriteBytes(path, bytes);
        EXPECT_FALSE(doc->OnOpenDocument(path));
        ASSERT_EQ(ui.Boxes().size(), 1u);
        EXPECT_EQ(ui.Boxes()[0].text, FormatOpenFailed(path, kEndOfFileReason));
        EXPECT_EQ(ui.Boxes()[0].icon, MsgIcon::Exclamation);
        ExpectUnchanged();
    }
}

// Whatever follows the measurement is never read: a data file followed by
// 3 GiB (sparse, so it costs no disk) opens as the data file alone.
TEST_F(DataFile, HugeFileLoadsTheMeasurementAndReadsNoFurther) {
    OpenReference();
    const std::string path = dir / "huge.qv";
    std::filesystem::copy_file(dir / "reference.qv", path);
    std::filesystem::resize_file(path, std::uintmax_t{3} << 30);
    doc->OnNewDocument();

    InputFile file;
    ASSERT_EQ(file.Open(path), "");
    CArchive archive = CArchive::ForLoading(file);
    auto loaded = std::make_unique<Measurement>();
    EXPECT_EQ(LoadMeasurement(archive, *loaded), DataFileLoad::Complete);
    EXPECT_EQ(file.BytesRead(), 65732u + 1 + reference->Remark.size());

    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_TRUE(SameMeasurement(doc->Data(), *reference));
}

// A foreign file that announces a signature of a gigabyte is refused after its
// length prefix: ours has 15 characters.
TEST_F(DataFile, LongForeignSignatureIsRefusedUnread) {
    const std::string path = dir / "foreign.qv";
    test::WriteText(path, std::string("\xFF\xFF\xFF\x00\x00\x00\x40", 7));
    std::filesystem::resize_file(path, (std::uintmax_t{1} << 30) + 100);
    InputFile file;
    ASSERT_EQ(file.Open(path), "");
    CArchive archive = CArchive::ForLoading(file);
    auto loaded = std::make_unique<Measurement>();
    EXPECT_EQ(LoadMeasurement(archive, *loaded), DataFileLoad::Refused);
    EXPECT_EQ(file.BytesRead(), 7u);

    EXPECT_FALSE(doc->OnOpenDocument(path));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, kIncompatibleFileMessage);
}

TEST_F(DataFile, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    OpenReference();
    const auto before = ReadBytes(dir / "reference.qv");
    const std::string target = dir / "missing/x.qv";
    doc->Data().Qv1[0] = 123456;
    EXPECT_FALSE(doc->OnSaveDocument(target));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    // A new file: there was no previous file to speak of.
    EXPECT_EQ(ui.Boxes()[0].text,
              "Failed to save document.\n" + target + "\nNo such file or directory.");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetPathName(), dir / "reference.qv");
    EXPECT_EQ(doc->Data().Qv1[0], 123456u);
    EXPECT_EQ(ReadBytes(dir / "reference.qv"), before);
}

TEST(DataFileFormat, IncompleteMessageNamesTheFile) {
    EXPECT_EQ(FormatIncompleteFileMessage("/d/a.qv"),
              "The file\n/d/a.qv\nwas incomplete: it ends before the end of the measurement.\n"
              "The missing data were set to zero.");
}

}  // namespace
}  // namespace qv

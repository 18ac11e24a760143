#include "framework/Document.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>

#include "document/TempDir.h"
#include "framework/FileSizeLimit.h"
#include "framework/FrameworkMessages.h"
#include "framework/HeadlessUi.h"
#include "framework/InputFile.h"
#include "framework/LockedFolder.h"

namespace qv {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteText;

// A document whose file is one archive string; "refuse" makes loading give up
// the way a file of the wrong type does.
class TextDoc : public CDocument {
public:
    using CDocument::CDocument;
    std::string text = "content";

    void Serialize(CArchive& archive) override {
        if (archive.IsStoring()) {
            archive.WriteString(text);
            return;
        }
        std::string loaded = archive.ReadString();
        if (loaded == "refuse") {
            throw CUserException();
        }
        text = loaded;
    }
};

std::size_t SaveLeftovers(const std::filesystem::path& dir) {
    std::size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().filename().string().find(".qv-save-") != std::string::npos) {
            ++n;
        }
    }
    return n;
}

TEST(DocumentTitle, UntitledUntilSavedOrOpenedThenFileName) {
    TempDir dir;
    HeadlessUi ui;
    TextDoc doc(ui);
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_FALSE(doc.IsModified());

    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnSaveDocument(dir / "first.qv"));
    EXPECT_EQ(doc.GetPathName(), dir / "first.qv");
    EXPECT_EQ(doc.GetTitle(), "first.qv");
    EXPECT_FALSE(doc.IsModified());

    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_EQ(doc.GetPathName(), "");

    WriteText(dir / "second.qv", std::string("\x05hello", 6));
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnOpenDocument(dir / "second.qv"));
    EXPECT_EQ(doc.text, "hello");
    EXPECT_EQ(doc.GetTitle(), "second.qv");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST(DocumentSave, WritesTheSerializedBytes) {
    TempDir dir;
    HeadlessUi ui;
    TextDoc doc(ui);
    doc.text = "abc";
    ASSERT_TRUE(doc.OnSaveDocument(dir / "a.qv"));
    EXPECT_EQ(ReadBytes(dir / "a.qv"), (std::vector<unsigned char>{3, 'a', 'b', 'c'}));
    EXPECT_EQ(SaveLeftovers(dir.Path()), 0u);
}

// Every failing save must leave the document modified, its path unchanged and
// no half-written temporary behind.
void ExpectFailedSave(HeadlessUi& ui, TextDoc& doc, const std::string& target,
                      const std::string& reason, PreviousFile previous,
                      const std::string& oldPath) {
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, FormatSaveFailed(target, reason, previous));
    EXPECT_EQ(ui.Boxes()[0].caption, "");
    EXPECT_EQ(ui.Boxes()[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), oldPath);
}

TEST(DocumentSaveFailure, DirectoryAsTarget) {
    TempDir dir;
    HeadlessUi ui;
    TextDoc doc(ui);
    ASSERT_TRUE(doc.OnSaveDocument(dir / "kept.qv"));
    std::filesystem::create_directory(dir / "sub.qv");
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.OnSaveDocument(dir / "sub.qv"));
    ExpectFailedSave(ui, doc, dir / "sub.qv", std::strerror(EISDIR), PreviousFile::None,
                     dir / "kept.qv");
    EXPECT_EQ(doc.GetTitle(), "kept.qv");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "sub.qv"));
    EXPECT_EQ(SaveLeftovers(dir.Path()), 0u);
}

// A write that fails half way (here: the file-size limit, which binds root too)
// must not touch the file being replaced.
TEST(DocumentSaveFailure, WriteErrorLeavesTheOldFileByteIdentical) {
    TempDir dir;
    HeadlessUi ui;
    TextDoc doc(ui);
    const std::string target = dir / "run.qv";
    doc.text = "old measurement";
    ASSERT_TRUE(doc.OnSaveDocument(target));
    const auto before = ReadBytes(target);

    doc.text = std::string(4000, 'n');
    doc.SetModifiedFlag();
    bool ok = true;
    {
        test::FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.Active());
        ok = doc.OnSaveDocument(target);
    }

    EXPECT_FALSE(ok);
    ExpectFailedSave(ui, doc, target, std::strerror(EFBIG), PreviousFile::Unchanged, target);
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_EQ(SaveLeftovers(dir.Path()), 0u);
}

TEST(DocumentOpenFailure, KeepsContentPathTitleAndModifiedFlag) {
    TempDir dir;
    HeadlessUi ui;
    TextDoc doc(ui);
    doc.text = "mine";
    ASSERT_TRUE(doc.OnSaveDocument(dir / "mine.qv"));
    doc.SetModifiedFlag();

    struct Case {
        std::string file;
        std::string message;  // empty: the refusal told the user itself
    };
    const std::string missing = dir / "missing.qv";
    const std::string cut = dir / "cut.qv";
    const std::string refused = dir / "refused.qv";
    WriteText(cut, std::string("\x09short", 6));
    WriteText(refused, std::string("\x06refuse", 7));
    const Case cases[] = {
        {missing, FormatOpenFailed(missing, std::strerror(ENOENT))},
        {cut, "Failed to open document.\n" + cut +
                  "\nThe file ends too early: it is damaged or incomplete."},
        {refused, ""},
        {dir.Path().string(), FormatOpenFailed(dir.Path().string(), std::strerror(EISDIR))},
    };
    for (const Case& c : cases) {
        ui.Clear();
        EXPECT_FALSE(doc.OnOpenDocument(c.file)) << c.file;
        if (c.message.empty()) {
            EXPECT_TRUE(ui.Boxes().empty()) << c.file;
        } else {
            ASSERT_EQ(ui.Boxes().size(), 1u) << c.file;
            EXPECT_EQ(ui.Boxes()[0].text, c.message);
            EXPECT_EQ(ui.Boxes()[0].icon, MsgIcon::Exclamation);
        }
        EXPECT_EQ(doc.text, "mine");
        EXPECT_EQ(doc.GetPathName(), dir / "mine.qv");
        EXPECT_EQ(doc.GetTitle(), "mine.qv");
        EXPECT_TRUE(doc.IsModified());
    }
}

// Only regular files are loaded: a pipe without a writer must not hang the
// program, a device such as /dev/zero must not fill its memory.
TEST(DocumentOpenFailure, RefusesSpecialFilesAtOnceNamingThem) {
    TempDir dir;
    HeadlessUi ui;
    TextDoc doc(ui);
    const std::string fifo = dir / "pipe.qv";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {{fifo, "Is a named pipe (FIFO), not a regular file"},
                 {"/dev/zero", "Is a character device, not a regular file"}};
    for (const auto& c : cases) {
        ui.Clear();
        auto opened = std::async(std::launch::async, [&] { return doc.OnOpenDocument(c.path); });
        if (opened.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "opening " << c.path << " blocks";
            // Give the pipe a writer, so that the blocked open comes back.
            close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
        }
        EXPECT_FALSE(opened.get()) << c.path;
        ASSERT_EQ(ui.Boxes().size(), 1u) << c.path;
        EXPECT_EQ(ui.Boxes()[0].text, FormatOpenFailed(c.path, c.reason));
        EXPECT_EQ(doc.GetPathName(), "");
        EXPECT_EQ(doc.text, "content");
    }
}

// Loading reads what the format asks for and no further: the rest of a huge
// file (here 4 GiB, sparse, so it costs no disk) is never read.
TEST(DocumentOpen, ReadsOnlyWhatTheFormatAsksFor) {
    TempDir dir;
    const std::string path = dir / "huge.qv";
    WriteText(path, std::string("\x05hello", 6));
    ASSERT_EQ(truncate(path.c_str(), off_t{4} << 30), 0);

    InputFile file;
    ASSERT_EQ(file.Open(path), "");
    EXPECT_EQ(file.Size(), std::uint64_t{4} << 30);
    CArchive archive = CArchive::ForLoading(file);
    EXPECT_EQ(archive.ReadString(), "hello");
    EXPECT_EQ(file.BytesRead(), 6u);

    HeadlessUi ui;
    TextDoc doc(ui);
    EXPECT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.text, "hello");
    EXPECT_TRUE(ui.Boxes().empty());
}

// A string length is checked against the file's size before anything is
// allocated or read for it.
TEST(DocumentOpen, StringLongerThanTheFileIsEndOfFileWithoutReading) {
    TempDir dir;
    const std::string path = dir / "liar.qv";
    WriteText(path, std::string("\xFF\xFF\xFF\xF0\xFF\xFF\xFF"
                                "abc",
                                10));
    InputFile file;
    ASSERT_EQ(file.Open(path), "");
    CArchive archive = CArchive::ForLoading(file);
    EXPECT_THROW(archive.ReadString(), CArchiveException);
    EXPECT_EQ(file.BytesRead(), 7u);
}

TEST(DocumentSaveFailure, NewFileMessageClaimsNoPreviousFile) {
    TempDir dir;
    HeadlessUi ui;
    TextDoc doc(ui);
    doc.SetModifiedFlag();
    const std::string target = dir / "missing/new.qv";
    EXPECT_FALSE(doc.OnSaveDocument(target));
    ExpectFailedSave(ui, doc, target, std::strerror(ENOENT), PreviousFile::None, "");
    EXPECT_EQ(ui.Boxes()[0].text.find("previous"), std::string::npos);
}

TEST(DocumentSave, AFileInALockedFolderIsRefusedAndKept) {
    TempDir dir;
    HeadlessUi ui;
    TextDoc doc(ui);
    const std::string target = dir / "run.qv";
    doc.text = "a long old measurement";
    ASSERT_TRUE(doc.OnSaveDocument(target));
    test::LockedFolder locked(dir.Path());
    if (!locked.Locked()) {
        GTEST_SKIP() << "cannot lock a folder here";
    }
    doc.text = "new";
    doc.SetModifiedFlag();
    EXPECT_FALSE(doc.OnSaveDocument(target));
    ExpectFailedSave(ui, doc, target, kFolderRefusesReason, PreviousFile::Unchanged, target);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadBytes(target).size(), 23u);
    EXPECT_EQ(SaveLeftovers(dir.Path()), 0u);
}

}  // namespace
}  // namespace qv

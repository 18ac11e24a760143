#include "framework/Document.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "document/TempDir.h"
#include "framework/FrameworkMessages.h"
#include "framework/HeadlessUi.h"

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
        if (entry.path().filename().string().starts_with(".qv-save-")) {
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
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = doc.OnSaveDocument(target);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

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

}  // namespace
}  // namespace qv

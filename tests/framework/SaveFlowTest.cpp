#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/TempDir.h"
#include "framework/CmdTarget.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/HeadlessUi.h"
#include "framework/RecentFileList.h"
#include "framework/SettingsStore.h"

namespace qv {
namespace {

using test::TempDir;
using test::WriteText;

constexpr const char* kTemplateString = "qv\n\nQv\nQv Files (*.qv)\n.qv\nQv.Document\nQv Document";

class NoteDoc : public CDocument {
public:
    explicit NoteDoc(Ui& ui) : CDocument(ui) {
        SetDocTemplate(DocTemplate::Parse(kTemplateString));
    }
    std::string text = "note";
    int saves = 0;

    void Serialize(CArchive& archive) override {
        if (archive.IsStoring()) {
            ++saves;
            archive.WriteString(text);
        } else {
            text = archive.ReadString();
        }
    }
};

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

// --- Document template ---------------------------------------------------

TEST(DocTemplateTest, SevenFieldsAndTheFileDialogFilter) {
    const DocTemplate t = DocTemplate::Parse(kTemplateString);
    EXPECT_EQ(t.windowTitle, "qv");
    EXPECT_EQ(t.docName, "");
    EXPECT_EQ(t.fileNewName, "Qv");
    EXPECT_EQ(t.filterName, "Qv Files (*.qv)");
    EXPECT_EQ(t.filterExt, ".qv");
    EXPECT_EQ(t.fileTypeId, "Qv.Document");
    EXPECT_EQ(t.fileTypeName, "Qv Document");
    EXPECT_EQ(t.FileDialogFilter(), "Qv Files (*.qv)|*.qv|All Files (*.*)|*.*||");
}

TEST(DocTemplateTest, WithoutFilterOnlyAllFiles) {
    const DocTemplate t = DocTemplate::Parse("app\nDoc");
    EXPECT_EQ(t.docName, "Doc");
    EXPECT_EQ(t.filterExt, "");
    EXPECT_EQ(t.FileDialogFilter(), "All Files (*.*)|*.*||");
}

// --- Save prompt ---------------------------------------------------------

class SaveFlowTest : public ::testing::Test {
protected:
    TempDir dir;
    HeadlessUi ui;
    NoteDoc doc{ui};

    void ExpectPrompt(const std::string& name) {
        ASSERT_FALSE(ui.Boxes().empty());
        const MessageBoxRequest& box = ui.Boxes()[0];
        EXPECT_EQ(box.text, "Save changes to " + name + "?");
        EXPECT_EQ(box.buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(box.caption, "");
    }
    std::string SavedFile(const std::string& name) {
        const std::string path = dir / name;
        doc.text = "old";
        EXPECT_TRUE(doc.OnSaveDocument(path));
        doc.text = "new";
        doc.SetModifiedFlag();
        doc.saves = 0;
        return path;
    }
};

TEST_F(SaveFlowTest, UnmodifiedDocumentIsNotAsked) {
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(SaveFlowTest, NoGoesOnWithoutSaving) {
    SavedFile("a.qv");
    ui.QueueAnswer(MsgResult::No);
    EXPECT_TRUE(doc.SaveModified());
    ExpectPrompt("a.qv");
    EXPECT_EQ(doc.saves, 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SaveFlowTest, CancelStopsTheCaller) {
    SavedFile("a.qv");
    ui.QueueAnswer(MsgResult::Cancel);
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(doc.saves, 0);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SaveFlowTest, YesSavesUnderTheCurrentPath) {
    const std::string path = SavedFile("a.qv");
    ui.QueueAnswer(MsgResult::Yes);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(ui.FileDialogs().empty());
    EXPECT_FALSE(doc.IsModified());
    NoteDoc reread(ui);
    ASSERT_TRUE(reread.OnOpenDocument(path));
    EXPECT_EQ(reread.text, "new");
}

TEST_F(SaveFlowTest, YesOnUntitledAsksForANameWithTheTemplateFilter) {
    doc.SetModifiedFlag();
    ui.QueueAnswer(MsgResult::Yes);
    ui.QueueFile(dir / "named.qv");
    EXPECT_TRUE(doc.SaveModified());
    ExpectPrompt("Untitled");
    ASSERT_EQ(ui.FileDialogs().size(), 1u);
    const FileDialogRequest& request = ui.FileDialogs()[0];
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.filter, "Qv Files (*.qv)|*.qv|All Files (*.*)|*.*||");
    EXPECT_EQ(request.defaultExtension, ".qv");
    EXPECT_EQ(request.initialPath, "Untitled.qv");
    EXPECT_EQ(request.title, "Save As");
    EXPECT_NE(request.flags & kHideReadOnly, 0u);
    EXPECT_EQ(doc.GetPathName(), dir / "named.qv");
    EXPECT_EQ(doc.GetTitle(), "named.qv");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(Exists(dir / "named.qv"));
}

TEST_F(SaveFlowTest, CancelledSaveAsMeansTheCallerMustNotGoOn) {
    doc.SetModifiedFlag();
    ui.QueueAnswer(MsgResult::Yes);
    ui.QueueFile(std::nullopt);
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(doc.saves, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetTitle(), "Untitled");
}

TEST_F(SaveFlowTest, FailedSaveMeansTheCallerMustNotGoOn) {
    doc.SetModifiedFlag();
    ui.QueueAnswer(MsgResult::Yes);
    ui.QueueFile(dir / "no-such-dir/x.qv");
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(ui.Boxes().size(), 2u);
    EXPECT_EQ(ui.Boxes()[1].text.rfind("Failed to save document.\n", 0), 0u);
    EXPECT_EQ(doc.GetPathName(), "");
}

// --- File Save -----------------------------------------------------------

TEST_F(SaveFlowTest, FileSaveWritesAnExistingWritableFileDirectly) {
    const std::string path = SavedFile("a.qv");
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_TRUE(ui.FileDialogs().empty());
    EXPECT_EQ(doc.saves, 1);
    EXPECT_EQ(doc.GetPathName(), path);
}

TEST_F(SaveFlowTest, FileSaveOfAMissingFileAsksForAName) {
    const std::string path = SavedFile("gone.qv");
    std::filesystem::remove(path);
    ui.QueueFile(dir / "new.qv");
    EXPECT_TRUE(doc.DoFileSave());
    ASSERT_EQ(ui.FileDialogs().size(), 1u);
    EXPECT_EQ(ui.FileDialogs()[0].initialPath, path);
    EXPECT_EQ(doc.GetPathName(), dir / "new.qv");
    EXPECT_FALSE(Exists(path));
}

TEST_F(SaveFlowTest, FileSaveOfAReadOnlyFileAsksForAName) {
    const std::string path = SavedFile("locked.qv");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    ui.QueueFile(std::nullopt);
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(ui.FileDialogs().size(), 1u);
    EXPECT_EQ(doc.saves, 0);
    NoteDoc reread(ui);
    ASSERT_TRUE(reread.OnOpenDocument(path));
    EXPECT_EQ(reread.text, "old");
}

TEST_F(SaveFlowTest, FileSaveOfAnUntitledDocumentAsksForAName) {
    ui.QueueFile(dir / "first.qv");
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_EQ(ui.FileDialogs().size(), 1u);
    EXPECT_EQ(doc.GetTitle(), "first.qv");
}

TEST_F(SaveFlowTest, SaveAsWithAPathAsksNothing) {
    EXPECT_TRUE(doc.DoSave(dir / "direct.qv"));
    EXPECT_TRUE(ui.FileDialogs().empty());
    EXPECT_EQ(doc.GetTitle(), "direct.qv");
}

// Save As never replaces a read-only file: it says why and asks again.
TEST_F(SaveFlowTest, SaveAsOntoAReadOnlyFileSaysWhyAndAsksAgain) {
    const std::string locked = SavedFile("locked.qv");
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    ui.QueueFile(locked);
    ui.QueueFile(locked);
    ui.QueueFile(dir / "other.qv");
    EXPECT_TRUE(doc.DoSave({}));
    ASSERT_EQ(ui.FileDialogs().size(), 3u);
    EXPECT_EQ(ui.FileDialogs()[1].initialPath, locked);
    ASSERT_EQ(ui.Boxes().size(), 2u);
    EXPECT_EQ(ui.Boxes()[0].text,
              locked + "\nThis file is read-only and will not be replaced.\nChoose another name.");
    EXPECT_EQ(ui.Boxes()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(doc.GetPathName(), dir / "other.qv");
    NoteDoc reread(ui);
    ASSERT_TRUE(reread.OnOpenDocument(locked));
    EXPECT_EQ(reread.text, "old");
}

TEST_F(SaveFlowTest, CancelAfterTheReadOnlyWarningSavesNothing) {
    const std::string locked = SavedFile("locked.qv");
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    ui.QueueFile(locked);
    ui.QueueFile(std::nullopt);
    EXPECT_FALSE(doc.DoSave({}));
    EXPECT_EQ(doc.saves, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), locked);
    EXPECT_EQ(test::ReadBytes(locked), (std::vector<unsigned char>{3, 'o', 'l', 'd'}));
}

// --- Recent files --------------------------------------------------------

TEST(RecentFiles, NewestFirstFourAtMostReopenedMovesToTop) {
    CRecentFileList list(4);
    for (const char* path : {"/a.qv", "/b.qv", "/c.qv", "/d.qv"}) {
        list.Add(path);
    }
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/d.qv", "/c.qv", "/b.qv", "/a.qv"}));
    list.Add("/b.qv");
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/b.qv", "/d.qv", "/c.qv", "/a.qv"}));
    list.Add("/e.qv");
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/e.qv", "/b.qv", "/d.qv", "/c.qv"}));
    list.Remove(1);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/e.qv", "/d.qv", "/c.qv"}));
    list.Remove(7);
    EXPECT_EQ(list.Entries().size(), 3u);
}

TEST(RecentFiles, StoredAsFileOneToFourUnderItsSection) {
    MemorySettingsStore store;
    CRecentFileList list(4);
    for (const char* path : {"/a.qv", "/b.qv", "/c.qv", "/d.qv", "/e.qv"}) {
        list.Add(path);
    }
    list.WriteList(store);
    EXPECT_EQ(store.Values(),
              (std::map<std::string, std::string>{{"Recent File List/File1", "/e.qv"},
                                                  {"Recent File List/File2", "/d.qv"},
                                                  {"Recent File List/File3", "/c.qv"},
                                                  {"Recent File List/File4", "/b.qv"}}));
    CRecentFileList shorter(4);
    shorter.Add("/only.qv");
    shorter.WriteList(store);  // stale entries go away
    EXPECT_EQ(store.Values(),
              (std::map<std::string, std::string>{{"Recent File List/File1", "/only.qv"}}));
}

TEST(RecentFiles, ReadBackInOrderSkippingGapsAndDuplicates) {
    MemorySettingsStore store;
    store.Write("Recent File List", "File1", "/x.qv");
    store.Write("Recent File List", "File2", "");
    store.Write("Recent File List", "File3", "/y.qv");
    store.Write("Recent File List", "File4", "/x.qv");
    store.Write("Recent File List", "File5", "/beyond.qv");
    CRecentFileList list(4);
    list.Add("/forgotten.qv");
    list.ReadList(store);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/x.qv", "/y.qv"}));

    CRecentFileList again(4);
    list.WriteList(store);
    again.ReadList(store);
    EXPECT_EQ(again.Entries(), list.Entries());
}

// --- Command routing -----------------------------------------------------

class Target : public CCmdTarget {
public:
    explicit Target(std::string name) : m_name(std::move(name)) {}
    std::vector<std::string>* log = nullptr;
    void Handle(int id) {
        OnCommandId(id, [this] { log->push_back(m_name); });
    }
    void Update(int id, bool enable, int check) {
        OnUpdateCommand(id, [=](CCmdUI& ui) {
            ui.Enable(enable);
            ui.SetCheck(check);
        });
    }

private:
    std::string m_name;
};

TEST(CommandRouting, FirstTargetWithAHandlerWins) {
    std::vector<std::string> log;
    Target view("view");
    Target doc("doc");
    view.log = &log;
    doc.log = &log;
    view.Handle(1);
    doc.Handle(1);
    doc.Handle(2);
    CommandRouter router;
    router.SetTargets({&view, nullptr, &doc});
    EXPECT_TRUE(router.Execute(1));
    EXPECT_TRUE(router.Execute(2));
    EXPECT_FALSE(router.Execute(3));
    EXPECT_EQ(log, (std::vector<std::string>{"view", "doc"}));
}

TEST(CommandRouting, UpdateHandlerDecidesElseEnabledOnlyWithAHandler) {
    Target view("view");
    Target doc("doc");
    view.Update(1, false, 1);
    doc.Handle(1);
    doc.Handle(2);
    CommandRouter router;
    router.SetTargets({&view, &doc});
    const CCmdUI first = router.Query(1);
    EXPECT_FALSE(first.enabled);
    EXPECT_EQ(first.check, 1);
    EXPECT_TRUE(router.Query(2).enabled);
    EXPECT_FALSE(router.Query(57635).enabled);  // Cut: handled nowhere
}

TEST(CommandRouting, HandlerMayReplaceItselfWhileRunning) {
    class Self : public CCmdTarget {
    public:
        int runs = 0;
        void Arm() {
            OnCommandId(5, [this] {
                ++runs;
                OnCommandId(5, [this] { runs += 10; });
            });
        }
    } target;
    target.Arm();
    EXPECT_TRUE(target.OnCmdMsg(5));
    EXPECT_TRUE(target.OnCmdMsg(5));
    EXPECT_EQ(target.runs, 11);
}

}  // namespace
}  // namespace qv

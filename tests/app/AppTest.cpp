#include "app/QvApplication.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/CommandIds.h"
#include "framework/HeadlessUi.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("qv-app-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        std::ofstream(Path("qv.hdw")) << "1\n2\n3\n768\n4 12 25\n7 21 43\n7 42 90\n7 83 200\n"
                                         "923\n47\n1.4067\n-31.57\n0\n0.106\n0.014\n";
        m_app =
            std::make_unique<CQvApp>(m_ui, m_settings, CQvApp::Options{Path("qv.hdw"), {}, false});
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    // A saved measurement whose remark tells it apart.
    std::string MakeFile(const std::string& name, const std::string& remark) {
        HeadlessUi ui;
        CQvDoc doc(ui, std::nullopt);
        doc.OnNewDocument();
        doc.Data().Remark = remark;
        EXPECT_TRUE(doc.OnSaveDocument(Path(name)));
        return Path(name);
    }

    fs::path m_dir;
    HeadlessUi m_ui;
    MemorySettingsStore m_settings;
    std::unique_ptr<CQvApp> m_app;
};

TEST_F(AppTest, StartsWithANewUntitledDocument) {
    ASSERT_TRUE(m_app->InitInstance(std::nullopt));
    EXPECT_EQ(m_app->WindowCaption(), "Untitled - qv");
    EXPECT_TRUE(m_ui.Boxes().empty());
    EXPECT_EQ(m_app->Document().Description().HardwareVersion2, 2);
}

// The Settings menu opens each built editor modally on the document's data.
TEST_F(AppTest, SettingsCommandsOpenTheirEditors) {
    ASSERT_TRUE(m_app->InitInstance(std::nullopt));
    for (const int command : {ID_SET_AUX_DAC, ID_HARDWARE_INFO}) {
        EXPECT_TRUE(m_app->Router().Query(command).enabled) << command;
    }
    EXPECT_TRUE(m_app->Router().Execute(ID_SET_AUX_DAC));
    EXPECT_TRUE(m_app->Router().Execute(ID_HARDWARE_INFO));
    EXPECT_EQ(m_ui.ModalRuns(), (std::vector<int>{141, 153}));
}

TEST_F(AppTest, CommandLineFileOpensAndNamesTheWindow) {
    const std::string file = MakeFile("run5.qv", "from the command line");
    ASSERT_TRUE(m_app->InitInstance(file));
    EXPECT_EQ(m_app->WindowCaption(), "run5.qv - qv");
    EXPECT_EQ(m_app->Document().Data().Remark, "from the command line");
    EXPECT_EQ(m_app->RecentFiles().Entries(), std::vector<std::string>{file});
}

// The run log follows the file that is open.
TEST_F(AppTest, RunLogGoesBesideTheOpenDataFile) {
    const std::string file = MakeFile("run5.qv", "logged");
    ASSERT_TRUE(m_app->InitInstance(file));
    EXPECT_EQ(m_app->Document().RunLogPath(), Path("run5.log.csv"));
    m_app->OnFileNew();
    EXPECT_EQ(m_app->Document().RunLogPath(), std::nullopt);
}

TEST_F(AppTest, CommandLineFileThatCannotBeOpenedFailsStartUp) {
    EXPECT_FALSE(m_app->InitInstance(Path("missing.qv")));
    ASSERT_EQ(m_ui.Boxes().size(), 1u);
}

TEST_F(AppTest, MissingHardwareDescriptionWarnsAtStartUp) {
    fs::remove(Path("qv.hdw"));
    ASSERT_TRUE(m_app->InitInstance(std::nullopt));
    ASSERT_EQ(m_ui.Boxes().size(), 1u);
    EXPECT_EQ(m_ui.Boxes()[0].caption, "Hardware Description File");
    EXPECT_EQ(m_ui.Boxes()[0].text, "Can not open:" + Path("qv.hdw") + "\nDefault values assumed.");
}

TEST_F(AppTest, OpenThroughTheFileDialogAndTheRecentList) {
    const std::string a = MakeFile("a.qv", "A");
    const std::string b = MakeFile("b.qv", "B");
    ASSERT_TRUE(m_app->InitInstance(std::nullopt));
    m_ui.QueueFile(a);
    m_app->Router().Execute(ID_FILE_OPEN);
    ASSERT_EQ(m_ui.FileDialogs().size(), 1u);
    EXPECT_FALSE(m_ui.FileDialogs()[0].save);
    EXPECT_EQ(m_ui.FileDialogs()[0].filter, "Qv Files (*.qv)|*.qv|All Files (*.*)|*.*||");
    EXPECT_EQ(m_app->WindowCaption(), "a.qv - qv");
    m_ui.QueueFile(b);
    m_app->Router().Execute(ID_FILE_OPEN);
    EXPECT_EQ(m_app->RecentFiles().Entries(), (std::vector<std::string>{b, a}));
    m_app->Router().Execute(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(m_app->Document().Data().Remark, "A");
    EXPECT_EQ(m_app->RecentFiles().Entries(), (std::vector<std::string>{a, b}));
    EXPECT_EQ(m_settings.Read("Recent File List", "File1", ""), a);
    EXPECT_FALSE(m_app->Router().Query(ID_FILE_MRU_FILE1 + 2).enabled);
}

TEST_F(AppTest, OpenStartsInTheFolderOfTheOpenMeasurement) {
    const std::string a = MakeFile("a.qv", "A");
    ASSERT_TRUE(m_app->InitInstance(std::nullopt));
    m_app->Router().Execute(ID_FILE_OPEN);  // untitled: no folder of its own
    ASSERT_EQ(m_ui.FileDialogs().size(), 1u);
    EXPECT_EQ(m_ui.FileDialogs()[0].initialPath, "");
    m_ui.QueueFile(a);
    m_app->Router().Execute(ID_FILE_OPEN);
    m_app->Router().Execute(ID_FILE_OPEN);
    ASSERT_EQ(m_ui.FileDialogs().size(), 3u);
    const std::filesystem::path start(m_ui.FileDialogs()[2].initialPath);
    EXPECT_EQ(start.parent_path(), std::filesystem::path(a).parent_path());
    EXPECT_EQ(start.filename(), "");
}

TEST_F(AppTest, ModifiedDocumentAsksBeforeNewAndCancelKeepsIt) {
    ASSERT_TRUE(m_app->InitInstance(std::nullopt));
    m_app->Document().Data().Remark = "work";
    m_app->Document().SetModifiedFlag();
    m_ui.QueueAnswer(MsgResult::Cancel);
    m_app->Router().Execute(ID_FILE_NEW);
    ASSERT_EQ(m_ui.Boxes().size(), 1u);
    EXPECT_EQ(m_ui.Boxes()[0].text, "Save changes to Untitled?");
    EXPECT_EQ(m_ui.Boxes()[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(m_app->Document().Data().Remark, "work");

    m_ui.QueueAnswer(MsgResult::No);
    m_app->Router().Execute(ID_FILE_NEW);
    EXPECT_EQ(m_app->Document().Data().Remark, "");
    EXPECT_FALSE(m_app->Document().IsModified());
}

TEST_F(AppTest, YesSavesThroughSaveAsForAnUntitledDocument) {
    ASSERT_TRUE(m_app->InitInstance(std::nullopt));
    m_app->Document().SetModifiedFlag();
    m_ui.QueueAnswer(MsgResult::Yes);
    m_ui.QueueFile(Path("saved.qv"));
    EXPECT_TRUE(m_app->CanExit());
    ASSERT_EQ(m_ui.FileDialogs().size(), 1u);
    EXPECT_TRUE(m_ui.FileDialogs()[0].save);
    EXPECT_EQ(m_ui.FileDialogs()[0].initialPath, "Untitled.qv");
    EXPECT_EQ(fs::file_size(Path("saved.qv")), 65733u);

    // Cancelling the Save As dialog cancels the exit.
    m_app->Document().SetModifiedFlag();
    fs::remove(Path("saved.qv"));
    m_ui.QueueAnswer(MsgResult::Yes);
    m_ui.QueueFile(std::nullopt);
    EXPECT_FALSE(m_app->CanExit());
}

TEST_F(AppTest, SaveAsRenamesTheWindowAndSaveKeepsThePath) {
    ASSERT_TRUE(m_app->InitInstance(std::nullopt));
    m_ui.QueueFile(Path("first.qv"));
    m_app->Router().Execute(ID_FILE_SAVE_AS);
    EXPECT_EQ(m_app->WindowCaption(), "first.qv - qv");
    m_app->Document().Data().Remark = "more";
    m_app->Document().SetModifiedFlag();
    m_app->Router().Execute(ID_FILE_SAVE);
    EXPECT_EQ(m_ui.FileDialogs().size(), 1u);  // no second dialog
    EXPECT_FALSE(m_app->Document().IsModified());
}

TEST_F(AppTest, UnhandledCommandsAreDisabled) {
    ASSERT_TRUE(m_app->InitInstance(std::nullopt));
    EXPECT_FALSE(m_app->Router().Query(ID_EDIT_CUT).enabled);
    EXPECT_FALSE(m_app->Router().Query(ID_EDIT_PASTE).enabled);
    EXPECT_TRUE(m_app->Router().Query(ID_FILE_SAVE).enabled);
    EXPECT_TRUE(m_app->Router().Query(ID_FILE_EXPORT).enabled);
}

}  // namespace
}  // namespace qv

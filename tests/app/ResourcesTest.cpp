#include "app/Resources.h"

#include <gtest/gtest.h>

#include <set>

#include "app/CommandIds.h"

namespace qv {
namespace {

std::vector<std::string> Texts(const std::vector<MenuEntry>& entries) {
    std::vector<std::string> texts;
    for (const auto& e : entries) {
        texts.push_back(e.IsSeparator() ? "-" : e.text);
    }
    return texts;
}

const MenuEntry& PopupNamed(const std::string& name) {
    for (const auto& popup : MainMenu()) {
        if (popup.text == name) {
            return popup;
        }
    }
    throw std::runtime_error("no popup " + name);
}

TEST(MainMenu, PopupsAndItemsInOrder) {
    EXPECT_EQ(Texts(MainMenu()),
              (std::vector<std::string>{"&File", "&Settings", "&View", "&Help", "Se&rvice"}));
    EXPECT_EQ(
        Texts(PopupNamed("&File").items),
        (std::vector<std::string>{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S",
                                  "Save &As...", "&Export", "-", "Recent File", "-", "E&xit"}));
    EXPECT_EQ(
        Texts(PopupNamed("&View").items),
        (std::vector<std::string>{"&Toolbar", "&Status Bar", "-", "Data&Remark", "&Measure Data"}));
    const auto& settings = PopupNamed("&Settings").items;
    const std::vector<std::pair<std::string, int>> expected = {
        {"Clear, &start/stop Counters", 32779},
        {"Set &Counters Timers", 32778},
        {"Set &Analogue block", 32774},
        {"Set &High voltage", 32775},
        {"Set &Vibrator", 32776},
        {"Set Auxiliary bytes, &DAC", 32777},
        {"Hardware &info", 32794},
        {"Qv &Pulses/sec", 32795}};
    ASSERT_EQ(settings.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(settings[i].text, expected[i].first);
        EXPECT_EQ(settings[i].id, expected[i].second);
    }
    EXPECT_EQ(PopupNamed("Se&rvice").items.at(0).id, 32784);
    EXPECT_TRUE(PopupNamed("&File").items.at(6).disabled);  // the recent-file placeholder
}

TEST(MainMenu, ZoomRefreshAutoRefreshAndAutoSaveAreToolbarOnly) {
    std::set<int> menuIds;
    for (const auto& popup : MainMenu()) {
        for (const auto& item : popup.items) {
            menuIds.insert(item.id);
        }
    }
    for (int id : {ID_TOGGLE_ZOOM, ID_REFRESH, ID_AUTO_REFRESH, ID_AUTO_SAVE}) {
        EXPECT_EQ(menuIds.count(id), 0u) << id;
    }
}

TEST(MainToolbar, FifteenEntriesWithTwoGaps) {
    EXPECT_EQ(MainToolbar(), (std::vector<int>{57600, 57601, 57603, 32785, 0, 57635, 57634, 57637,
                                               0, 32771, 32783, 32773, 32780, 32782, 57664}));
}

TEST(StringTable, PromptsAndTooltipsSplitAtTheNewline) {
    EXPECT_EQ(StatusPrompt(ID_SET_COUNTERS_TIMERS), "Set General counters & timers");
    EXPECT_EQ(Tooltip(ID_SET_COUNTERS_TIMERS), "Set GCT");
    EXPECT_EQ(StatusPrompt(ID_AUTO_SAVE), "AutoSave at period: SetGCT.BackUp");
    EXPECT_EQ(Tooltip(ID_FILE_EXPORT), "Save in Pelmix format");
    EXPECT_EQ(LoadString(AFX_IDS_IDLEMESSAGE), "Ready");
    EXPECT_EQ(LoadString(IDR_MAINFRAME),
              "qv\n\nQv\nQv Files (*.qv)\n.qv\nQv.Document\nQv Document");
    // Every command on the toolbar or in the menu has a prompt.
    for (int id : MainToolbar()) {
        if (id != 0) {
            EXPECT_FALSE(StatusPrompt(id).empty()) << id;
        }
    }
}

TEST(Accelerators, StandardKeysAreThere) {
    int count = 0;
    for (const auto& a : MainAccelerators()) {
        if (a.modifiers == kCtrl && a.key == 'S') {
            EXPECT_EQ(a.command, ID_FILE_SAVE);
            ++count;
        }
    }
    EXPECT_EQ(count, 1);
    EXPECT_EQ(MainAccelerators().size(), 13u);
}

TEST(DialogTemplates, IdsAreUniqueAndAboutBoxIsAsDefined) {
    for (const DialogTemplate* t : AllDialogTemplates()) {
        std::set<int> ids;
        for (const auto& c : t->controls) {
            if (c.id != kStaticId) {
                EXPECT_TRUE(ids.insert(c.id).second) << "dialog " << t->id << " id " << c.id;
            }
            if (c.kind == ControlKind::Spin) {
                EXPECT_NE(t->Find(c.buddy), nullptr) << "spin without buddy in " << t->id;
            }
        }
    }
    const DialogTemplate* about = FindDialogTemplate(IDD_ABOUTBOX);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->caption, "About qv");
    EXPECT_EQ(about->rect.cx, 235);
    EXPECT_EQ(about->rect.cy, 55);
    ASSERT_NE(about->Find(1), nullptr);
    EXPECT_EQ(about->Find(1)->text, "OK");
    EXPECT_EQ(about->Find(1)->kind, ControlKind::DefaultButton);
}

}  // namespace
}  // namespace qv

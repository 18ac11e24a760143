#include "app/Resources.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

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
    EXPECT_EQ(Texts(PopupNamed("&File").items),
              (std::vector<std::string>{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S",
                                        "Save &As...", "&Export", "Run &Job...", "-", "Recent File",
                                        "-", "E&xit"}));
    EXPECT_EQ(Texts(PopupNamed("&View").items),
              (std::vector<std::string>{"&Toolbar", "&Status Bar", "-", "Data&Remark",
                                        "&Measure Data", "&Velocity spectrum"}));
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
    EXPECT_EQ(PopupNamed("Se&rvice").items.at(1).text, "&Calibrate on \u03b1-iron");
    EXPECT_EQ(PopupNamed("&File").items.at(5).id, 32812);
    EXPECT_TRUE(PopupNamed("&File").items.at(7).disabled);  // the recent-file placeholder
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

// The fifteen entries of the original, and the velocity spectrum before About.
TEST(MainToolbar, SixteenEntriesWithTwoGaps) {
    EXPECT_EQ(MainToolbar(),
              (std::vector<int>{57600, 57601, 57603, 32785, 0, 57635, 57634, 57637, 0, 32771, 32783,
                                32773, 32780, 32782, 32811, 57664}));
}

// The status-bar prompts and tooltips of the program's own commands, by their
// resource numbers, in the words the operator reads.
struct PromptCase {
    int id;
    const char* prompt;
    const char* tooltip;
};

const std::vector<PromptCase>& OwnPrompts() {
    static const std::vector<PromptCase> cases = {
        {32771, "Edit data file remarks", "Data remark"},
        {32773, "Toggle view zoom", "Toggle zoom"},
        {32774, "Set Analogue Block Parameters", "Set ABP"},
        {32775, "Set High Voltage", "Set HV"},
        {32776, "Set Vibrator Parameters, load reference", "Set VBP,ref"},
        {32777, "Set Auxiliary bytes and DAC8", "Set AuxDac"},
        {32778, "Set General counters & timers", "Set GCT"},
        {32779, "Start/stop, clear memories", "Clear/count"},
        {32780, "Refresh from hardware", "Refresh from hardware"},
        {32782, "Start/stop autoRefresh from hardware", "Start/stop autoRefresh"},
        {32783, "Measure Data (Hold mouse R/L key to move cursor)",
         "Measure Data (Hold mouse R/L key to move cursor)"},
        {32784, "Statistical analysis of two peeks", "SliderAdjust"},
        {32785, "AutoSave at period: SetGCT.BackUp", "Periodical AutoSave"},
        {32792, "Save data in Pelmix format", "Save in Pelmix format"},
        {32794, "Display hardware parameters", "Hardware parameters"},
        {32795, "Scallers large display", "Scallers large display"},
    };
    return cases;
}

TEST(StringTable, EveryPromptAndTooltipOfTheProgramsCommands) {
    ASSERT_EQ(OwnPrompts().size(), 16u);
    for (const PromptCase& c : OwnPrompts()) {
        EXPECT_EQ(LoadString(c.id), std::string(c.prompt) + "\n" + c.tooltip) << c.id;
        EXPECT_EQ(StatusPrompt(c.id), c.prompt) << c.id;
        EXPECT_EQ(Tooltip(c.id), c.tooltip) << c.id;
    }
}

TEST(StringTable, TemplateStringTitleAndIdlePrompt) {
    EXPECT_EQ(LoadString(128), "qv\n\nQv\nQv Files (*.qv)\n.qv\nQv.Document\nQv Document");
    EXPECT_EQ(LoadString(57344), "qv");
    EXPECT_EQ(LoadString(AFX_IDS_IDLEMESSAGE), "Ready");
}

TEST(StringTable, EveryCommandOnTheToolbarOrInTheMenuHasPromptAndTooltip) {
    std::vector<int> ids;
    for (int id : MainToolbar()) {
        if (id != 0) {
            ids.push_back(id);
        }
    }
    for (const auto& popup : MainMenu()) {
        for (const auto& item : popup.items) {
            if (!item.IsSeparator() && item.id != ID_FILE_MRU_FILE1) {
                ids.push_back(item.id);
            }
        }
    }
    for (int id : ids) {
        EXPECT_FALSE(StatusPrompt(id).empty()) << id;
        EXPECT_FALSE(Tooltip(id).empty()) << id;
    }
}

TEST(StringTable, FrameworkCommandsKeepTheirStandardPrompts) {
    EXPECT_EQ(StatusPrompt(57600), "Create a new document");
    EXPECT_EQ(Tooltip(57600), "New");
    EXPECT_EQ(StatusPrompt(57601), "Open an existing document");
    EXPECT_EQ(StatusPrompt(57603), "Save the active document");
    EXPECT_EQ(Tooltip(57664), "About");
}

// The whole table, with the keys and commands by their numbers.
TEST(Accelerators, TheWholeTableAndNothingElse) {
    struct Key {
        unsigned modifiers;
        int key;
        int command;
        bool operator<(const Key& o) const {
            return std::tie(modifiers, key, command) < std::tie(o.modifiers, o.key, o.command);
        }
    };
    constexpr unsigned ctrl = 1, shift = 2, alt = 4;
    const std::set<Key> expected = {
        {ctrl, 'N', 57600},   {ctrl, 'O', 57601}, {ctrl, 'S', 57603},   {ctrl, 'Z', 57643},
        {alt, 0x08, 57643},   {ctrl, 'X', 57635}, {shift, 0x2E, 57635}, {ctrl, 'C', 57634},
        {ctrl, 0x2D, 57634},  {ctrl, 'V', 57637}, {shift, 0x2D, 57637}, {0, 0x75, 57680},
        {shift, 0x75, 57681},
    };
    std::set<Key> actual;
    for (const Accelerator& a : MainAccelerators()) {
        EXPECT_TRUE(actual.insert({a.modifiers, a.key, a.command}).second)
            << "twice: " << a.modifiers << " " << a.key;
    }
    EXPECT_EQ(actual.size(), expected.size());
    for (const Key& k : expected) {
        EXPECT_EQ(actual.count(k), 1u) << k.modifiers << " " << k.key << " -> " << k.command;
    }
}

TEST(Accelerators, EachKeyReachesOneCommand) {
    std::set<std::pair<unsigned, int>> keys;
    for (const Accelerator& a : MainAccelerators()) {
        EXPECT_TRUE(keys.insert({a.modifiers, a.key}).second) << a.modifiers << " " << a.key;
    }
}

TEST(DialogTemplates, IdsAreUnique) {
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
}

TEST(DialogTemplates, AboutBoxIsAsDefined) {
    const DialogTemplate* about = FindDialogTemplate(100);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->caption, "About qv");
    EXPECT_EQ(about->rect.cx, 235);
    EXPECT_EQ(about->rect.cy, 55);
    EXPECT_EQ(about->font.face, "MS Sans Serif");
    EXPECT_EQ(about->font.points, 8);
    ASSERT_EQ(about->controls.size(), 3u);
    // The program icon at the left, the text beside it, the OK button.
    const ControlTemplate& icon = about->controls[0];
    const ControlTemplate& text = about->controls[1];
    EXPECT_EQ(icon.kind, ControlKind::Bitmap);
    EXPECT_EQ(icon.bitmap, 128);
    EXPECT_EQ(text.kind, ControlKind::StaticText);
    EXPECT_EQ(text.text, "qv Version 1.0");
    EXPECT_LT(icon.rect.x + icon.rect.cx, text.rect.x);
    EXPECT_LT(icon.rect.y, text.rect.y + text.rect.cy);  // side by side, not stacked
    EXPECT_GT(icon.rect.y + icon.rect.cy, text.rect.y);
    const ControlTemplate* ok = about->Find(1);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text, "OK");
    EXPECT_EQ(ok->kind, ControlKind::DefaultButton);
    EXPECT_LE(ok->rect.x + ok->rect.cx, about->rect.cx);
}

}  // namespace
}  // namespace qv

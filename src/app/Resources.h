#pragma once

#include <string>
#include <vector>

#include "framework/DialogTemplate.h"

namespace qv {

// The main menu (resource 128): popups with items; id 0 with empty text is a separator.
struct MenuEntry {
    std::string text;
    int id = 0;
    std::vector<MenuEntry> items;  // non-empty for a popup
    bool disabled = false;
    bool IsSeparator() const { return id == 0 && items.empty() && text.empty(); }
    bool IsPopup() const { return !items.empty(); }
};
const std::vector<MenuEntry>& MainMenu();

enum AcceleratorModifier : unsigned { kCtrl = 1, kShift = 2, kAlt = 4 };
enum AcceleratorKey : int {
    kKeyBackspace = 0x08,
    kKeyInsert = 0x2D,
    kKeyDelete = 0x2E,
    kKeyF6 = 0x75,
};
// key: an upper-case letter or one of AcceleratorKey.
struct Accelerator {
    unsigned modifiers;
    int key;
    int command;
};
const std::vector<Accelerator>& MainAccelerators();

// Toolbar 128: the command of each button, 0 for a separator gap.
const std::vector<int>& MainToolbar();
inline constexpr int kToolbarButtonWidth = 16;
inline constexpr int kToolbarButtonHeight = 15;

// String table. Empty when there is no entry.
std::string LoadString(int id);
// The prompt (before the newline) and tooltip (after it) of a command.
std::string StatusPrompt(int command);
std::string Tooltip(int command);

// Dialog templates by number; null when unknown. Later parts add theirs.
const DialogTemplate* FindDialogTemplate(int id);
const std::vector<const DialogTemplate*>& AllDialogTemplates();

}  // namespace qv

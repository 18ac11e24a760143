#pragma once

#include <vector>

#include "app/Resources.h"

class wxMenuBar;

namespace qv {

// The main menu as wx widgets; every item carries its status-bar prompt as help.
wxMenuBar* BuildMenuBar(const std::vector<MenuEntry>& menu);

// Commands whose menu item shows a check mark.
bool IsCheckMenuCommand(int id);

}  // namespace qv

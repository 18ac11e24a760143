#include "MenuBarBuilder.h"

#include <wx/menu.h>

#include "WxCommandIds.h"
#include "WxText.h"
#include "app/CommandIds.h"

namespace qv {
namespace {

wxMenu* BuildMenu(const std::vector<MenuEntry>& items) {
    auto* menu = new wxMenu;
    for (const MenuEntry& entry : items) {
        if (entry.IsSeparator()) {
            menu->AppendSeparator();
        } else if (entry.IsPopup()) {
            menu->AppendSubMenu(BuildMenu(entry.items), ToWx(entry.text));
        } else {
            const wxItemKind kind = IsCheckMenuCommand(entry.id) ? wxITEM_CHECK : wxITEM_NORMAL;
            wxMenuItem* item = menu->Append(ToWxId(entry.id), ToWx(entry.text),
                                            ToWx(StatusPrompt(entry.id)), kind);
            item->Enable(!entry.disabled);
        }
    }
    return menu;
}

}  // namespace

bool IsCheckMenuCommand(int id) {
    return id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR;
}

wxMenuBar* BuildMenuBar(const std::vector<MenuEntry>& menu) {
    auto* bar = new wxMenuBar;
    for (const MenuEntry& popup : menu)
        bar->Append(BuildMenu(popup.items), ToWx(popup.text));
    return bar;
}

}  // namespace qv

#pragma once

#include <string>
#include <vector>

class wxMenu;
class wxMenuBar;

namespace qv {

// "&1 name": the text of recent-file entry index (0-based) as the File menu shows it.
std::string RecentFileLabel(int index, const std::string& path);

// The recent-file entries of the File menu, in place of the "Recent File"
// placeholder, which comes back (disabled) when the list is empty.
class RecentFilesMenu {
public:
    void Attach(wxMenuBar& menuBar);
    void Show(const std::vector<std::string>& entries);

private:
    void RemoveShown();

    wxMenu* m_menu = nullptr;
    size_t m_position = 0;
    size_t m_shown = 0;
};

}  // namespace qv

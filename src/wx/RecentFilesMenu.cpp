#include "RecentFilesMenu.h"

#include <filesystem>

#include <wx/menu.h>

#include "WxCommandIds.h"
#include "WxText.h"
#include "app/CommandIds.h"
#include "app/Resources.h"

namespace qv {
namespace {

constexpr size_t kLongestPath = 40;
constexpr const char* kPlaceholder = "Recent File";

// Long paths keep their first folder and the file name, as Windows shortened them.
std::string ShortPath(const std::string& path) {
    if (path.size() <= kLongestPath)
        return path;
    const std::filesystem::path full(path);
    auto part = full.begin();
    std::filesystem::path head = *part;
    if (head == "/" && ++part != full.end())
        head /= *part;
    return head.string() + "/.../" + full.filename().string();
}

std::string EscapeMnemonics(const std::string& text) {
    std::string escaped;
    for (char c : text)
        escaped += c == '&' ? std::string("&&") : std::string(1, c);
    return escaped;
}

}  // namespace

std::string RecentFileLabel(int index, const std::string& path) {
    std::error_code error;
    const auto here = std::filesystem::current_path(error);
    const std::filesystem::path file(path);
    const std::string shown =
        !error && file.parent_path() == here ? file.filename().string() : ShortPath(path);
    return "&" + std::to_string(index + 1) + " " + EscapeMnemonics(shown);
}

void RecentFilesMenu::Attach(wxMenuBar& menuBar) {
    wxMenuItem* placeholder = menuBar.FindItem(ToWxId(ID_FILE_MRU_FILE1), &m_menu);
    if (!placeholder)
        return;
    m_position = size_t(m_menu->GetMenuItems().IndexOf(placeholder));
    m_shown = 1;
}

void RecentFilesMenu::RemoveShown() {
    for (; m_shown > 0; --m_shown)
        m_menu->Destroy(m_menu->FindItemByPosition(m_position));
}

void RecentFilesMenu::Show(const std::vector<std::string>& entries) {
    if (!m_menu)
        return;
    RemoveShown();
    for (const std::string& path : entries) {
        const int id = ID_FILE_MRU_FILE1 + int(m_shown);
        m_menu->Insert(m_position + m_shown, ToWxId(id), ToWx(RecentFileLabel(int(m_shown), path)),
                       ToWx(StatusPrompt(id)));
        ++m_shown;
    }
    if (m_shown == 0) {
        m_menu->Insert(m_position, ToWxId(ID_FILE_MRU_FILE1), kPlaceholder)->Enable(false);
        m_shown = 1;
    }
}

}  // namespace qv

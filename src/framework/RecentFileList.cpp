#include "framework/RecentFileList.h"

#include <algorithm>

namespace qv {

namespace {
constexpr const char* kSection = "Recent File List";
std::string KeyOf(int index) {
    return "File" + std::to_string(index + 1);
}
}  // namespace

void CRecentFileList::Add(const std::string& path) {
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
    m_entries.insert(m_entries.begin(), path);
    if (static_cast<int>(m_entries.size()) > m_size) {
        m_entries.resize(static_cast<std::size_t>(m_size));
    }
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < static_cast<int>(m_entries.size())) {
        m_entries.erase(m_entries.begin() + index);
    }
}

void CRecentFileList::ReadList(SettingsStore& store) {
    m_entries.clear();
    for (int i = 0; i < m_size; ++i) {
        const std::string path = store.Read(kSection, KeyOf(i), "");
        if (!path.empty() &&
            std::find(m_entries.begin(), m_entries.end(), path) == m_entries.end()) {
            m_entries.push_back(path);
        }
    }
}

void CRecentFileList::WriteList(SettingsStore& store) const {
    for (int i = 0; i < m_size; ++i) {
        if (i < static_cast<int>(m_entries.size())) {
            store.Write(kSection, KeyOf(i), m_entries[static_cast<std::size_t>(i)]);
        } else {
            store.Erase(kSection, KeyOf(i));
        }
    }
}

}  // namespace qv

#pragma once

#include <string>
#include <vector>

#include "framework/SettingsStore.h"

namespace qv {

// Most recently used files, newest first, each path once.
class CRecentFileList {
public:
    explicit CRecentFileList(int size = 4) : m_size(size) {}
    void Add(const std::string& path);
    void Remove(int index);
    const std::vector<std::string>& Entries() const { return m_entries; }
    int Size() const { return m_size; }
    // Kept under "Recent File List" as "File1".."FileN".
    void ReadList(SettingsStore& store);
    void WriteList(SettingsStore& store) const;

private:
    int m_size;
    std::vector<std::string> m_entries;
};

}  // namespace qv

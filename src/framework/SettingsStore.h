#pragma once

#include <map>
#include <string>

namespace qv {

// The application's profile (the registry profile on the original platform).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string Read(const std::string& section, const std::string& key,
                             const std::string& fallback) = 0;
    virtual void Write(const std::string& section, const std::string& key,
                       const std::string& value) = 0;
    virtual void Erase(const std::string& section, const std::string& key) = 0;
};

// In memory, for tests and for runs that must not touch the user's profile.
class MemorySettingsStore : public SettingsStore {
public:
    std::string Read(const std::string& section, const std::string& key,
                     const std::string& fallback) override {
        auto it = m_values.find(section + "/" + key);
        return it == m_values.end() ? fallback : it->second;
    }
    void Write(const std::string& section, const std::string& key,
               const std::string& value) override {
        m_values[section + "/" + key] = value;
    }
    void Erase(const std::string& section, const std::string& key) override {
        m_values.erase(section + "/" + key);
    }
    const std::map<std::string, std::string>& Values() const { return m_values; }

private:
    std::map<std::string, std::string> m_values;
};

}  // namespace qv

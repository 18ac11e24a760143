#pragma once

#include <memory>

#include "framework/SettingsStore.h"

class wxConfigBase;

namespace qv {

// The profile kept by wxConfig: one group per section, as the registry had
// one key per section under the vendor and application name.
class WxSettingsStore : public SettingsStore {
public:
    WxSettingsStore(const std::string& vendor, const std::string& appName);
    ~WxSettingsStore() override;

    std::string Read(const std::string& section, const std::string& key,
                     const std::string& fallback) override;
    void Write(const std::string& section, const std::string& key,
               const std::string& value) override;
    void Erase(const std::string& section, const std::string& key) override;

private:
    std::unique_ptr<wxConfigBase> m_config;
};

}  // namespace qv

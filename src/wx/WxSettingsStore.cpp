#include "WxSettingsStore.h"

#include <wx/config.h>
#include <wx/filename.h>
#include <wx/utils.h>

#include "WxText.h"

namespace qv {
namespace {

// ~/.config/<vendor>/<app>.conf: the vendor folder plays the registry's vendor key.
wxString ProfilePath(const std::string& vendor, const std::string& appName) {
    wxString configHome;
    if (!wxGetEnv("XDG_CONFIG_HOME", &configHome) || configHome.empty())
        configHome = wxFileName::GetHomeDir() + "/.config";
    wxFileName file(configHome + "/" + ToWx(vendor), ToWx(appName) + ".conf");
    file.Mkdir(wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return file.GetFullPath();
}

wxString Entry(const std::string& section, const std::string& key) {
    return "/" + ToWx(section) + "/" + ToWx(key);
}

}  // namespace

WxSettingsStore::WxSettingsStore(const std::string& vendor, const std::string& appName)
    : m_config(std::make_unique<wxConfig>(ToWx(appName), ToWx(vendor), ProfilePath(vendor, appName),
                                          wxString(), wxCONFIG_USE_LOCAL_FILE)) {}

WxSettingsStore::~WxSettingsStore() = default;

std::string WxSettingsStore::Read(const std::string& section, const std::string& key,
                                  const std::string& fallback) {
    wxString value;
    return m_config->Read(Entry(section, key), &value) ? FromWx(value) : fallback;
}

void WxSettingsStore::Write(const std::string& section, const std::string& key,
                            const std::string& value) {
    m_config->Write(Entry(section, key), ToWx(value));
    m_config->Flush();
}

void WxSettingsStore::Erase(const std::string& section, const std::string& key) {
    m_config->DeleteEntry(Entry(section, key));
    m_config->Flush();
}

}  // namespace qv

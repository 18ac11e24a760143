#include "InstanceLink.h"

#include <cstring>
#include <filesystem>

#include <wx/app.h>
#include <wx/ipc.h>
#include <wx/snglinst.h>
#include <wx/utils.h>

#include "WxText.h"

namespace qv {
namespace {

constexpr const char* kTopic = "open";
constexpr const char* kFilePrefix = "file:";

std::string RuntimeFolder() {
    wxString folder;
    if (wxGetEnv("XDG_RUNTIME_DIR", &folder) && !folder.empty())
        return FromWx(folder);
    return std::filesystem::temp_directory_path().string();
}

std::string InstanceName() {
    return "qv-" + FromWx(wxGetUserId());
}

class OpenConnection : public wxConnection {
public:
    explicit OpenConnection(InstanceLink::Open open) : m_open(std::move(open)) {}
    bool OnExec(const wxString&, const wxString& data) override {
        std::optional<std::string> path;
        if (data.StartsWith(kFilePrefix))
            path = FromWx(data.Mid(std::strlen(kFilePrefix)));
        // Opening may ask questions: not inside the socket's event.
        wxTheApp->CallAfter([open = m_open, path] { open(path); });
        return true;
    }

private:
    InstanceLink::Open m_open;
};

class OpenServer : public wxServer {
public:
    explicit OpenServer(InstanceLink::Open open) : m_open(std::move(open)) {}
    wxConnectionBase* OnAcceptConnection(const wxString& topic) override {
        return topic == kTopic ? new OpenConnection(m_open) : nullptr;
    }

private:
    InstanceLink::Open m_open;
};

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

InstanceLink::InstanceLink()
    : m_checker(std::make_unique<wxSingleInstanceChecker>(ToWx(InstanceName() + ".lock"),
                                                          ToWx(RuntimeFolder()))),
      m_socketPath(RuntimeFolder() + "/" + InstanceName() + ".socket") {}

InstanceLink::~InstanceLink() {
    if (!m_server)
        return;
    m_server.reset();
    std::error_code error;
    std::filesystem::remove(m_socketPath, error);
}

bool InstanceLink::AnotherIsRunning() const {
    return m_checker->IsAnotherRunning();
}

bool InstanceLink::HandOver(const std::optional<std::string>& fileName) const {
    wxClient client;
    std::unique_ptr<wxConnectionBase> connection(
        client.MakeConnection("localhost", ToWx(m_socketPath), kTopic));
    if (!connection)
        return false;
    const std::string request = fileName ? kFilePrefix + AbsolutePath(*fileName) : "raise";
    const bool taken = connection->Execute(ToWx(request));
    connection->Disconnect();
    return taken;
}

bool InstanceLink::Serve(Open open) {
    // A socket left behind by a program that crashed: we are the only one now.
    std::error_code error;
    std::filesystem::remove(m_socketPath, error);
    m_server = std::make_unique<OpenServer>(std::move(open));
    if (m_server->Create(ToWx(m_socketPath)))
        return true;
    m_server.reset();
    return false;
}

}  // namespace qv

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

class wxSingleInstanceChecker;
class wxServerBase;

namespace qv {

// One qv per user: a second start hands its file name to the running program
// over a UNIX socket in the user's runtime folder, and ends.
class InstanceLink {
public:
    // Receives the absolute path handed over, or nothing when a second start
    // named no file (the running program then only comes to the front).
    using Open = std::function<void(const std::optional<std::string>&)>;

    InstanceLink();
    ~InstanceLink();

    bool AnotherIsRunning() const;
    // True when the running program took the request.
    bool HandOver(const std::optional<std::string>& fileName) const;
    // Starts listening for later starts.
    bool Serve(Open open);

private:
    std::unique_ptr<wxSingleInstanceChecker> m_checker;
    std::unique_ptr<wxServerBase> m_server;
    std::string m_socketPath;
};

}  // namespace qv

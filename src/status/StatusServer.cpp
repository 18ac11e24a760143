#include "status/StatusServer.h"

#include <httplib.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "status/StatusJson.h"
#include "status/StatusPage.h"

namespace qv {

namespace {

constexpr int kPageThreads = 8;
constexpr time_t kTimeoutSeconds = 5;
constexpr std::streamoff kLargestDataFile = 64 << 20;

void Plain(httplib::Response& res, int status, const std::string& text) {
    res.status = status;
    res.set_content(text + "\n", "text/plain; charset=utf-8");
}

void Bytes(httplib::Response& res, const std::shared_ptr<const std::string>& bytes,
           const char* type, const std::string& missing) {
    if (!bytes) {
        Plain(res, 404, missing);
        return;
    }
    res.set_content(*bytes, type);
}

bool Authorised(const httplib::Request& req, const std::string& token) {
    if (token.empty()) {
        return true;
    }
    if (req.has_param("token") && req.get_param_value("token") == token) {
        return true;
    }
    return req.get_header_value("Authorization") == "Bearer " + token;
}

std::optional<std::string> ReadDataFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (path.empty() || !in || in.tellg() > kLargestDataFile) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        return std::nullopt;
    }
    return bytes;
}

std::string BaseName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::string BindFailure(const StatusOptions& options, int error) {
    const std::string where = options.bind + ":" + std::to_string(*options.port);
    if (error == EADDRINUSE) {
        return "status page not served: " + where + " is already in use";
    }
    return "status page not served: cannot listen on " + where +
           (error != 0 ? std::string(": ") + std::strerror(error) : std::string());
}

std::string PageAddress(const std::string& bind, int port) {
    const bool v6 = bind.find(':') != std::string::npos;
    return "http://" + (v6 ? "[" + bind + "]" : bind) + ":" + std::to_string(port) + "/";
}

}  // namespace

struct StatusServer::Http {
    httplib::Server server;
    std::thread thread;
};

StatusServer::StatusServer(const StatusBoard& board, std::string program)
    : m_board(board), m_program(std::move(program)), m_pictures(board) {}

StatusServer::~StatusServer() {
    Stop();
}

bool StatusServer::Start(const StatusOptions& options, std::string& message) {
    Stop();
    m_http = std::make_unique<Http>();
    httplib::Server& s = m_http->server;
    s.new_task_queue = [] { return new httplib::ThreadPool(kPageThreads); };
    s.set_read_timeout(kTimeoutSeconds, 0);
    s.set_write_timeout(kTimeoutSeconds, 0);
    // One request per connection: an idle keep-alive client would hold a page thread.
    s.set_keep_alive_max_count(1);
    s.set_payload_max_length(0);
    // Address reuse for a quick restart, but no port sharing: a second
    // program on the same port must be told, not served half the requests.
    s.set_socket_options([](socket_t sock) {
        const int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    const std::string token = options.token;
    s.set_pre_routing_handler([token](const httplib::Request& req, httplib::Response& res) {
        res.set_header("Cache-Control", "no-store");
        res.set_header("X-Content-Type-Options", "nosniff");
        if (!Authorised(req, token)) {
            res.set_header("WWW-Authenticate", "Bearer");
            Plain(res, 401, "a token is needed: ?token=TOKEN or Authorization: Bearer TOKEN");
            return httplib::Server::HandlerResponse::Handled;
        }
        if (req.method != "GET" && req.method != "HEAD") {
            res.set_header("Allow", "GET, HEAD");
            Plain(res, 405, "this page is read-only: GET and HEAD only");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    s.set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) {
            Plain(res, res.status, res.status == 404 ? "not found" : "bad request");
        }
    });
    s.Get("/", [](const httplib::Request&, httplib::Response& res) {
        res.set_header("Content-Security-Policy",
                       "default-src 'none'; script-src 'unsafe-inline'; style-src "
                       "'unsafe-inline'; img-src 'self'; connect-src 'self'");
        res.set_content(std::string(StatusPageHtml()), "text/html; charset=utf-8");
    });
    s.Get("/status.json", [this](const httplib::Request&, httplib::Response& res) {
        const auto snapshot = m_board.Current();
        res.set_content(snapshot ? StatusJson(*snapshot, m_pictures.HasVelocityProvider() &&
                                                             snapshot->calibration.has_value())
                                 : NoCaptureJson(m_program),
                        "application/json");
    });
    s.Get("/view.png", [this](const httplib::Request&, httplib::Response& res) {
        Bytes(res, m_pictures.View(), "image/png", "no capture yet");
    });
    s.Get("/runlog.png", [this](const httplib::Request&, httplib::Response& res) {
        Bytes(res, m_pictures.RunLog(), "image/png", "no capture yet");
    });
    s.Get("/velocity.png", [this](const httplib::Request&, httplib::Response& res) {
        Bytes(res, m_pictures.Velocity(), "image/png", "no calibration");
    });
    s.Get("/measurement.qv", [this](const httplib::Request&, httplib::Response& res) {
        const auto snapshot = m_board.Current();
        const auto bytes = snapshot ? ReadDataFile(snapshot->path) : std::nullopt;
        if (!bytes) {
            Plain(res, 404, "no saved measurement");
            return;
        }
        res.set_header("Content-Disposition",
                       "attachment; filename=\"" + BaseName(snapshot->path) + "\"");
        res.set_content(*bytes, "application/octet-stream");
    });
    errno = 0;
    const int port = *options.port;
    const bool bound = port == 0 ? (m_port = s.bind_to_any_port(options.bind)) > 0
                                 : s.bind_to_port(options.bind, m_port = port);
    if (!bound) {
        message = BindFailure(options, errno);
        m_http.reset();
        return false;
    }
    m_http->thread = std::thread([&s] { s.listen_after_bind(); });
    message = "status page at " + PageAddress(options.bind, m_port);
    return true;
}

void StatusServer::Stop() {
    if (!m_http) {
        return;
    }
    m_http->server.stop();
    if (m_http->thread.joinable()) {
        m_http->thread.join();
    }
    m_http.reset();
}

}  // namespace qv

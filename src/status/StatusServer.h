#pragma once

#include <memory>
#include <string>

#include "status/StatusBoard.h"
#include "status/StatusOptions.h"
#include "status/StatusPictures.h"

namespace qv {

// The read-only status page: GET and HEAD of /, /status.json, /view.png,
// /velocity.png, /runlog.png and /measurement.qv, nothing else (404; other
// methods 405; a missing or wrong token 401). It reads only the board's
// snapshots and the saved data file, on its own threads: a bounded pool
// with read and write time-outs, so a client that stops reading holds one
// page thread for a few seconds and nothing else.
class StatusServer {
public:
    StatusServer(const StatusBoard& board, std::string program);
    ~StatusServer();
    StatusServer(const StatusServer&) = delete;
    StatusServer& operator=(const StatusServer&) = delete;

    // Binds and starts serving. True with the page's address in `message`,
    // or false with why not (the port in use, a bad address).
    bool Start(const StatusOptions& options, std::string& message);
    // Ends serving and waits for the page's threads; also at destruction.
    void Stop();
    int Port() const { return m_port; }
    StatusPictures& Pictures() { return m_pictures; }

private:
    struct Http;
    const StatusBoard& m_board;
    std::string m_program;
    StatusPictures m_pictures;
    std::unique_ptr<Http> m_http;
    int m_port = 0;
};

}  // namespace qv

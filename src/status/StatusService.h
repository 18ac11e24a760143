#pragma once

#include <functional>
#include <string>

#include "analysis/Calibration.h"
#include "status/StatusBoard.h"
#include "status/StatusServer.h"

namespace qv {

class CQvDoc;
class CQvView;

// The status page of one running program: the board its acquisition loop
// fills and the server that reads it. The front end starts it and hangs it
// on its loop; after that the loop only copies figures, under a short lock.
class StatusService {
public:
    explicit StatusService(std::string program) : m_program(program), m_server(m_board, program) {}

    // As StatusServer::Start.
    bool Start(const StatusOptions& options, std::string& message) {
        return m_server.Start(options, message);
    }
    // The desktop: a snapshot after each capture the view shows, and the
    // autosaves' outcomes.
    void Watch(CQvView& view, CQvDoc& document);
    // A loop without a view (qvtool job): call after each capture.
    void Captured(CQvDoc& document, int result);

    // The program's velocity calibration, asked for at each snapshot (on the
    // acquisition loop's thread); the page then draws the velocity spectrum.
    void UseCalibration(std::function<const analysis::Calibration*()> calibration);

    StatusBoard& Board() { return m_board; }
    StatusServer& Server() { return m_server; }

private:
    void Publish(StatusSnapshot snapshot);

    std::string m_program;
    std::function<const analysis::Calibration*()> m_calibration;
    StatusBoard m_board;
    StatusServer m_server;
};

}  // namespace qv

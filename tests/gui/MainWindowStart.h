#pragma once

#include <cstdint>

#include "app/QvApplication.h"

class wxApp;

namespace qv {
class CMainFrame;
class WxUi;
}  // namespace qv

namespace qv::test {

// As qv --simulate --sim-speed speed starts, with the source tree's qv.hdw.
CQvApp::Options VirtualCardOptions(std::uint32_t speed);

// Starts the program as qv does: the application with its first document,
// then the main window, shown and on top. Nothing when start-up fails.
CMainFrame* StartMainWindow(wxApp& toolkit, CQvApp& app, WxUi& ui);

}  // namespace qv::test

#pragma once

#include <chrono>

class wxFrame;

namespace qv::test {

// The menu command id, sent to the frame as a click on its menu item would.
void SendCommand(wxFrame& frame, int id);

// Lets the toolkit and the program's timers run for a while.
void Settle(std::chrono::milliseconds time);

}  // namespace qv::test

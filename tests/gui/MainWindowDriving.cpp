#include "MainWindowDriving.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <thread>

#include "WxCommandIds.h"

namespace qv::test {

void SendCommand(wxFrame& frame, int id) {
    wxCommandEvent event(wxEVT_MENU, ToWxId(id));
    event.SetEventObject(&frame);
    frame.ProcessWindowEvent(event);
}

void Settle(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace qv::test

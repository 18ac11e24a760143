#include "MainWindowStart.h"

#include <wx/app.h>

#include "MainFrame.h"
#include "app/QvApplication.h"

namespace qv::test {

CQvApp::Options VirtualCardOptions(std::uint32_t speed) {
    CardLink::Choice card;
    card.simulate = true;
    card.simulationSpeed = speed;
    return {std::string(QV_TEST_HDW), card, true};
}

CMainFrame* StartMainWindow(wxApp& toolkit, CQvApp& app, WxUi& ui) {
    if (!app.InitInstance(std::nullopt))
        return nullptr;
    auto* frame = new CMainFrame(app, ui);
    app.SetDocumentChangedHandler(
        [frame](DocumentChange change) { frame->DocumentChanged(change); });
    toolkit.SetTopWindow(frame);
    frame->Show();
    return frame;
}

}  // namespace qv::test

#include "VelocityCommands.h"

#include "ScreenPlacement.h"
#include "VelocityWindow.h"
#include "WxUi.h"
#include "document/CommandIds.h"
#include "view/CalibrationDlg.h"

namespace qv {

VelocityCommands::VelocityCommands(wxWindow& owner, WxUi& ui, CQvDoc& document,
                                   SettingsStore& settings)
    : m_owner(owner), m_ui(ui), m_document(document), m_calibration(settings) {
    m_calibration.OnChange([this] { SpectraChanged(); });
}

bool VelocityCommands::Handles(int command) const {
    return command == ID_CALIBRATE || command == ID_VELOCITY_SPECTRUM;
}

bool VelocityCommands::Run(int command) {
    if (command == ID_CALIBRATE)
        OnCalibrate();
    else if (command == ID_VELOCITY_SPECTRUM)
        OnVelocitySpectrum();
    return Handles(command);
}

void VelocityCommands::SpectraChanged() {
    if (m_window)
        m_window->Redraw();
}

void VelocityCommands::OnCalibrate() {
    CCalibrationDlg dialog(m_ui, m_document, m_calibration);
    dialog.DoModal();
}

void VelocityCommands::OnVelocitySpectrum() {
    if (!m_window) {
        m_window = new VelocityWindow(&m_owner, m_document, m_calibration);
        // Beside the main window where there is room, so that both stay in sight.
        const wxRect owner = m_owner.GetScreenRect();
        const wxRect wanted(owner.GetTopRight() + wxPoint(1, 0), m_window->GetSize());
        m_window->Move(InsideArea(wanted, MainWorkArea()));
    }
    m_window->Show();
    m_window->Raise();
    m_window->Redraw();
}

}  // namespace qv

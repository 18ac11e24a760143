#pragma once

#include "view/ProgramCalibration.h"

class wxWindow;

namespace qv {

class CQvDoc;
class VelocityWindow;
class WxUi;

// The front end's side of the velocity scale: Service > Calibrate on α-iron
// and View > Velocity spectrum, and the program's calibration they share.
class VelocityCommands {
public:
    VelocityCommands(wxWindow& owner, WxUi& ui, CQvDoc& document, SettingsStore& settings);

    bool Handles(int command) const;
    // False when the command is not one of these.
    bool Run(int command);
    // The spectra changed (the spectrum view was asked to repaint).
    void SpectraChanged();

    ProgramCalibration& Calibration() { return m_calibration; }
    // Null until the window is first opened.
    VelocityWindow* Window() const { return m_window; }

private:
    void OnCalibrate();
    void OnVelocitySpectrum();

    wxWindow& m_owner;
    WxUi& m_ui;
    CQvDoc& m_document;
    ProgramCalibration m_calibration;
    VelocityWindow* m_window = nullptr;  // a child of the owner, which destroys it
};

}  // namespace qv

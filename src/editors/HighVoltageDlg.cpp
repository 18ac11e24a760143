#include "editors/HighVoltageDlg.h"

#include <cstdio>

#include "editors/HighVoltageTemplate.h"
#include "editors/HighVoltageVolts.h"
#include "editors/RampSpeed.h"
#include "framework/DataExchange.h"
#include "hardware/CommandCodes.h"

namespace qv {

std::string CalibrationMismatchText(long double storedVolts) {
    char voltage[64];
    std::snprintf(voltage, sizeof voltage, "voltage of %6.1Lf V  ", storedVolts);
    return std::string("File and hardware voltage coefficients are different.\n\n") +
           "Correct the \"Desired\" parameter to achieve \n" + voltage + "as it was in the file.";
}

CHighVoltageDlg::CHighVoltageDlg(Ui& ui)
    : CSettingEditorDlg(HighVoltageTemplate(), ui,
                        {.fromBuffer = IDC_HV_FROM_BUFFER,
                         .toBuffer = IDC_HV_TO_BUFFER,
                         .fromHardware = IDC_HV_FROM_HARDWARE,
                         .toHardware = IDC_HV_TO_HARDWARE,
                         .status = IDC_HV_STATUS}) {
    OnFocusLost(IDC_HV_DESIRED, [this] { OnDesiredFocusLost(); });
    OnSpinDelta(IDC_HV_DESIRED_SPIN, [this](int, int delta) { return OnDesiredSpin(delta); });
}

void CHighVoltageDlg::ExchangeMembers(CDataExchange& dx) {
    DDX_Text(dx, IDC_HV_CURRENT, HvCurrent);
    DDX_Text(dx, IDC_HV_DESIRED, HvDesired);
    DDV_MinMaxInt(dx, HvDesired, 0, 1023);
    DDX_Text(dx, IDC_HV_SPEED, HvSpeed);
    DDV_RampSpeed(dx, HvSpeed);
    DDX_Text(dx, IDC_HV_VOLTS, m_strVolts);
}

int CHighVoltageDlg::ReadBlock() {
    return StatusRead(kCmdReadHighVoltage, m_image.data(), kHighVoltageLength);
}

int CHighVoltageDlg::WriteBlock() {
    return m_port.WriteCommand(kCmdWriteHighVoltage, m_image.data(), kHighVoltageLength);
}

void CHighVoltageDlg::Pack() {
    m_image = PackHighVoltage(*this);
}

void CHighVoltageDlg::Unpack() {
    static_cast<HighVoltageValues&>(*this) = UnpackHighVoltage(m_image);
}

void CHighVoltageDlg::CopyFromBlock() {
    if (m_pBlock != nullptr) {
        HvDesired = m_pBlock->HvDesired;
    }
}

// The card's current value and speed are not part of a measurement.
void CHighVoltageDlg::CopyToBlock() {
    if (m_pBlock == nullptr) {
        return;
    }
    m_pBlock->HvDesired = HvDesired;
    if (m_pCalibration != nullptr) {
        m_pBlock->HvUpperLimit = m_pCalibration->HvUpperLimit;
        m_pBlock->HvLowerLimit = m_pCalibration->HvLowerLimit;
        m_pBlock->HvSlope = m_pCalibration->HvSlope;
        m_pBlock->HvOffset = m_pCalibration->HvOffset;
    }
}

void CHighVoltageDlg::AfterRead() {
    ShowVolts(HvDesired);
}

// Only a message: the desired value is taken over as stored.
void CHighVoltageDlg::AfterBufferLoad() {
    if (m_pBlock != nullptr && CalibrationDiffers()) {
        GetUi().Message(CalibrationMismatchText(HighVoltageVolts(*m_pBlock)));
    }
    ShowVolts(HvDesired);
}

bool CHighVoltageDlg::CalibrationDiffers() const {
    if (m_pCalibration == nullptr) {
        return false;
    }
    const HighVoltageBlock& stored = *m_pBlock;
    const HvCalibration& present = *m_pCalibration;
    return stored.HvOffset != present.HvOffset || stored.HvSlope != present.HvSlope ||
           stored.HvUpperLimit != present.HvUpperLimit ||
           stored.HvLowerLimit != present.HvLowerLimit;
}

std::vector<SpinRange> CHighVoltageDlg::SpinRanges() const {
    return {{IDC_HV_DESIRED_SPIN, 0, 1023}, {IDC_HV_SPEED_SPIN, 1, 15}};
}

void CHighVoltageDlg::ShowVolts(std::int32_t n) {
    if (m_pCalibration != nullptr) {
        m_strVolts = VoltsText(HighVoltageVolts(n, *m_pCalibration));
    }
}

// The read-out follows what was typed; a refused entry has had its message and
// still shows its (limited) voltage, as nothing reaches the card from here.
void CHighVoltageDlg::OnDesiredFocusLost() {
    UpdateData(true);
    ShowVolts(HvDesired);
    UpdateData(false);
}

// Shows the value the spin moves to, before the box changes; the move goes on.
bool CHighVoltageDlg::OnDesiredSpin(int delta) {
    UpdateData(true);
    ShowVolts(HvDesired + delta);
    UpdateData(false);
    return true;
}

}  // namespace qv

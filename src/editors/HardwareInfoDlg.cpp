#include "editors/HardwareInfoDlg.h"

#include "editors/HardwareInfoTemplate.h"
#include "framework/DataExchange.h"

namespace qv {

CHardwareInfoDlg::CHardwareInfoDlg(Ui& ui) : CDialog(HardwareInfoTemplate(), ui) {
    OnButton(IDC_INFO_FROM_HARDWARE, [this] { OnFromHardware(); });
    OnButton(IDC_INFO_FROM_BUFFER, [this] { OnFromBuffer(); });
}

bool CHardwareInfoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    OnFromHardware();
    return true;
}

void CHardwareInfoDlg::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, IDC_INFO_VERSION1, Version1);
    DDX_Text(dx, IDC_INFO_VERSION2, Version2);
    DDX_Text(dx, IDC_INFO_VERSION3, Version3);
    DDX_Text(dx, IDC_INFO_HV_SLOPE, HvSlope);
    DDX_Text(dx, IDC_INFO_HV_OFFSET, HvOffset);
    DDX_Text(dx, IDC_INFO_HV_LOWER, HvLowerLimit);
    DDX_Text(dx, IDC_INFO_HV_UPPER, HvUpperLimit);
    DDX_Text(dx, IDC_INFO_VELOCITY_HIGH, VelocityCoefHigh);
    DDX_Text(dx, IDC_INFO_VELOCITY_LOW, VelocityCoefLow);
}

void CHardwareInfoDlg::OnFromHardware() {
    if (m_pDescription != nullptr) {
        const HardwareDescription& d = *m_pDescription;
        Version1 = d.HardwareVersion1;
        Version2 = d.HardwareVersion2;
        Version3 = d.HardwareVersion3;
        HvSlope = d.Hv.HvSlope;
        HvOffset = d.Hv.HvOffset;
        HvLowerLimit = d.Hv.HvLowerLimit;
        HvUpperLimit = d.Hv.HvUpperLimit;
        VelocityCoefHigh = d.Velocity.VelocityCoefHigh;
        VelocityCoefLow = d.Velocity.VelocityCoefLow;
    }
    UpdateData(false);
}

void CHardwareInfoDlg::OnFromBuffer() {
    if (m_pVersionStamp != nullptr && m_pSettings != nullptr) {
        Version1 = m_pVersionStamp->Version1;
        Version2 = m_pVersionStamp->Version2;
        Version3 = m_pVersionStamp->Version3;
        const HighVoltageBlock& hv = m_pSettings->HighVoltage;
        HvSlope = hv.HvSlope;
        HvOffset = hv.HvOffset;
        HvLowerLimit = hv.HvLowerLimit;
        HvUpperLimit = hv.HvUpperLimit;
        VelocityCoefHigh = m_pSettings->Vibrator.VelocityCoefHigh;
        VelocityCoefLow = m_pSettings->Vibrator.VelocityCoefLow;
    }
    UpdateData(false);
}

}  // namespace qv

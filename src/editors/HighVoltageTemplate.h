#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_HIGH_VOLTAGE = 139;
inline constexpr int IDC_HV_CURRENT = 1051;
inline constexpr int IDC_HV_DESIRED = 1052;
inline constexpr int IDC_HV_SPEED = 1053;
inline constexpr int IDC_HV_FROM_BUFFER = 1054;
inline constexpr int IDC_HV_TO_BUFFER = 1055;
inline constexpr int IDC_HV_FROM_HARDWARE = 1056;
inline constexpr int IDC_HV_TO_HARDWARE = 1057;
inline constexpr int IDC_HV_SPEED_SPIN = 1059;
inline constexpr int IDC_HV_DESIRED_SPIN = 1060;
inline constexpr int IDC_HV_STATUS = 1061;
inline constexpr int IDC_HV_VOLTS = 1210;

// Dialog 139, "High Voltage".
const DialogTemplate& HighVoltageTemplate();

}  // namespace qv

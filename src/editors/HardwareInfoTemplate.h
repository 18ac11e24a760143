#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_HARDWARE_INFO = 153;
inline constexpr int IDC_INFO_VERSION3 = 1243;
inline constexpr int IDC_INFO_VERSION2 = 1244;
inline constexpr int IDC_INFO_VERSION1 = 1245;
inline constexpr int IDC_INFO_HV_SLOPE = 1246;
inline constexpr int IDC_INFO_HV_OFFSET = 1247;
inline constexpr int IDC_INFO_HV_LOWER = 1248;
inline constexpr int IDC_INFO_HV_UPPER = 1249;
inline constexpr int IDC_INFO_VELOCITY_HIGH = 1250;
inline constexpr int IDC_INFO_VELOCITY_LOW = 1251;
inline constexpr int IDC_INFO_FROM_HARDWARE = 1252;
inline constexpr int IDC_INFO_FROM_BUFFER = 1253;

// Dialog 153, "Hardware info".
const DialogTemplate& HardwareInfoTemplate();

}  // namespace qv

#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_AUX_DAC = 141;
inline constexpr int IDC_AUX0 = 1092;
inline constexpr int IDC_AUX1 = 1093;
inline constexpr int IDC_AUX2 = 1094;
inline constexpr int IDC_AUX3 = 1095;
inline constexpr int IDC_AUX4 = 1096;
inline constexpr int IDC_AUX_FROM_HARDWARE = 1097;
inline constexpr int IDC_AUX_TO_HARDWARE = 1098;
inline constexpr int IDC_AUX_STATUS = 1099;
inline constexpr int IDC_DAC8 = 1100;
inline constexpr int IDC_DAC8_SPIN = 1101;

// Dialog 141, "Auxiliary bytes, DAC8bit".
const DialogTemplate& AuxDacTemplate();

}  // namespace qv

#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_VIBRATOR = 140;
inline constexpr int IDC_VIB_FROM_BUFFER = 1062;
inline constexpr int IDC_VIB_TO_BUFFER = 1063;
inline constexpr int IDC_VIB_FROM_HARDWARE = 1064;
inline constexpr int IDC_VIB_TO_HARDWARE = 1065;
inline constexpr int IDC_VIB_STATUS = 1066;
inline constexpr int IDC_GAIN_CURRENT = 1068;
inline constexpr int IDC_GAIN_DESIRED = 1069;
inline constexpr int IDC_GAIN_SPEED = 1071;
inline constexpr int IDC_GAIN_DESIRED_SPIN = 1072;
inline constexpr int IDC_GAIN_SPEED_SPIN = 1073;
inline constexpr int IDC_AMPLITUDE_CURRENT = 1074;
inline constexpr int IDC_AMPLITUDE_DESIRED = 1075;
inline constexpr int IDC_AMPLITUDE_SPEED = 1076;
inline constexpr int IDC_BIAS_CURRENT = 1077;
inline constexpr int IDC_BIAS_DESIRED = 1078;
inline constexpr int IDC_BIAS_SPEED = 1079;
inline constexpr int IDC_AMPLITUDE_DESIRED_SPIN = 1080;
inline constexpr int IDC_AMPLITUDE_SPEED_SPIN = 1081;
inline constexpr int IDC_BIAS_DESIRED_SPIN = 1082;
inline constexpr int IDC_BIAS_SPEED_SPIN = 1083;
inline constexpr int IDC_FREQUENCY = 1084;
inline constexpr int IDC_DIVIDER_K = 1085;
inline constexpr int IDC_DIVIDER_L = 1086;
inline constexpr int IDC_DIVIDER_K_SPIN = 1087;
inline constexpr int IDC_DIVIDER_L_SPIN = 1088;
inline constexpr int IDC_REFERENCE_LOAD = 1090;
inline constexpr int IDC_ROUNDING_SCOPE = 1211;
inline constexpr int IDC_ROUNDING_SCOPE_SPIN = 1212;
inline constexpr int IDC_REFERENCE_COSINE = 1213;
inline constexpr int IDC_REFERENCE_PARABOLA = 1214;
inline constexpr int IDC_VELOCITY = 1219;
inline constexpr int IDC_HIGH_RANGE = 1220;
// The hardware description's two coefficients beside their label.
inline constexpr int IDC_VELOCITY_COEFFICIENTS = 1221;

// Dialog 140, "Vibrator Parameters", with the reference waveform section.
const DialogTemplate& VibratorTemplate();

}  // namespace qv

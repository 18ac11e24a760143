#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_SLIDER_ADJUST = 146;
inline constexpr int IDC_SLIDER_CUTOFF = 1186;
inline constexpr int IDC_SLIDER_TICKS_DESIRED = 1187;
inline constexpr int IDC_SLIDER_TICKS_LEFT = 1188;
inline constexpr int IDC_SLIDER_SPIN = 1189;
inline constexpr int IDC_SLIDER_SINGLE_UPDATE = 1190;
inline constexpr int IDC_SLIDER_MEAN1 = 1191;
inline constexpr int IDC_SLIDER_MEAN2 = 1192;
inline constexpr int IDC_SLIDER_LEFT1 = 1193;
inline constexpr int IDC_SLIDER_RIGHT1 = 1194;
inline constexpr int IDC_SLIDER_LEFT2 = 1195;
inline constexpr int IDC_SLIDER_RIGHT2 = 1196;
inline constexpr int IDC_SLIDER_INTEGRAL1 = 1197;
inline constexpr int IDC_SLIDER_INTEGRAL2 = 1198;
inline constexpr int IDC_SLIDER_MAX1 = 1199;
inline constexpr int IDC_SLIDER_MAX2 = 1200;
inline constexpr int IDC_SLIDER_STDDEV1 = 1201;
inline constexpr int IDC_SLIDER_STDDEV2 = 1202;
inline constexpr int IDC_SLIDER_SCOPE1 = 1203;
inline constexpr int IDC_SLIDER_SCOPE2 = 1204;
inline constexpr int IDC_SLIDER_TICK_UPDATE = 1206;
inline constexpr int IDC_SLIDER_STATUS = 1207;

// Dialog 146, "Service: Slider adjustment".
const DialogTemplate& SliderAdjustTemplate();

}  // namespace qv

#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_DATA_REMARK = 130;
inline constexpr int IDC_REMARK_TEXT = 1000;
inline constexpr int IDC_REMARK_ACCEPT = 1215;
inline constexpr int IDC_REMARK_HIDE = 1216;
inline constexpr int IDC_REMARK_QV2_CYCLES = 1222;
inline constexpr int IDC_REMARK_QV1_CYCLES = 1223;
inline constexpr int IDC_REMARK_SWITCH_SECONDS = 1224;
inline constexpr int IDC_REMARK_SWITCH_DURATION = 1225;
inline constexpr int IDC_REMARK_UNIVERSAL_SECONDS = 1226;
inline constexpr int IDC_REMARK_UNIVERSAL_DURATION = 1227;
inline constexpr int IDC_REMARK_LIVE_SECONDS = 1228;
inline constexpr int IDC_REMARK_LIVE_DURATION = 1229;
inline constexpr int IDC_REMARK_DEAD_SECONDS = 1230;
inline constexpr int IDC_REMARK_DEAD_DURATION = 1231;
inline constexpr int IDC_REMARK_TOTAL_SECONDS = 1232;
inline constexpr int IDC_REMARK_TOTAL_DURATION = 1233;
inline constexpr int IDC_REMARK_FULL_SHORT = 1234;
inline constexpr int IDC_REMARK_GAIN = 1235;
inline constexpr int IDC_REMARK_SIGNAL_TAU = 1236;
inline constexpr int IDC_REMARK_SCH_UP = 1237;
inline constexpr int IDC_REMARK_SCH_LOW = 1238;
inline constexpr int IDC_REMARK_HIGH_VOLTAGE = 1239;
inline constexpr int IDC_REMARK_VELOCITY = 1240;
inline constexpr int IDC_REMARK_FREQUENCY = 1241;

// Dialog 130, "Data remark": 297 x 210 dialog units at (30, 30) from its
// owner, caption without system menu.
const DialogTemplate& DataRemarkTemplate();

}  // namespace qv

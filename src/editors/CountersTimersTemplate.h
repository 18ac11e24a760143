#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_COUNTERS_TIMERS = 142;
inline constexpr int IDC_CT_ULOCK = 1103;
inline constexpr int IDC_CT_QV2_LASER = 1104;
inline constexpr int IDC_CT_QV2_AUX = 1105;  // first of the Qv2 source group
inline constexpr int IDC_CT_QV1_LOCAL = 1106;
inline constexpr int IDC_CT_QV1_AUX = 1107;  // first of the Qv1 source group
inline constexpr int IDC_CT_AA_LIVE_BASE = 1108;
inline constexpr int IDC_CT_AA_UNIVERSAL_BASE = 1109;  // first of the Aa time base group
inline constexpr int IDC_CT_DELTA_STOPS = 1110;
inline constexpr int IDC_CT_SWITCH_STATE = 1111;
inline constexpr int IDC_CT_DELTA_FLAG = 1112;
inline constexpr int IDC_CT_BACKUP_PERIOD = 1113;
inline constexpr int IDC_CT_TILL_NEAREST = 1114;
inline constexpr int IDC_CT_SET_UNIVERSAL = 1115;
inline constexpr int IDC_CT_UNIVERSAL_TIME = 1119;
inline constexpr int IDC_CT_AA_CURRENT = 1120;
inline constexpr int IDC_CT_AA_START = 1121;
inline constexpr int IDC_CT_QV2_CURRENT = 1122;
inline constexpr int IDC_CT_QV1_CURRENT = 1123;
inline constexpr int IDC_CT_QV2_START = 1124;
inline constexpr int IDC_CT_QV1_START = 1125;
inline constexpr int IDC_CT_LIVE_TIME = 1126;
inline constexpr int IDC_CT_DEAD_TIME = 1127;
inline constexpr int IDC_CT_ZERO_LIVE_DEAD = 1128;
inline constexpr int IDC_CT_SINCE_DELTA = 1129;
inline constexpr int IDC_CT_CLEAR_SWITCH = 1130;
inline constexpr int IDC_CT_QV2_RATE = 1131;
inline constexpr int IDC_CT_QV1_RATE = 1132;
inline constexpr int IDC_CT_RESTART_BACKUP = 1133;
inline constexpr int IDC_CT_SET_QV2 = 1134;
inline constexpr int IDC_CT_SET_QV1 = 1135;
inline constexpr int IDC_CT_SET_AA = 1136;
inline constexpr int IDC_CT_AA_MAX = 1137;
inline constexpr int IDC_CT_QV2_MAX = 1138;
inline constexpr int IDC_CT_QV1_MAX = 1139;
inline constexpr int IDC_CT_FROM_BUFFER = 1140;
inline constexpr int IDC_CT_TO_BUFFER = 1141;
inline constexpr int IDC_CT_FROM_HARDWARE = 1142;
inline constexpr int IDC_CT_TO_HARDWARE = 1143;
inline constexpr int IDC_CT_STATUS = 1144;
inline constexpr int IDC_CT_DEAD_PERCENT = 1257;

// Dialog 142, "General Counters&Timers - setup".
const DialogTemplate& CountersTimersTemplate();

}  // namespace qv

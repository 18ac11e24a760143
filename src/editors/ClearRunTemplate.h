#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_CLEAR_RUN = 143;
inline constexpr int IDC_CLEAR_QV2 = 1145;
inline constexpr int IDC_CLEAR_QV1 = 1146;
inline constexpr int IDC_CLEAR_AA = 1147;
inline constexpr int IDC_CLEAR_GO = 1148;
inline constexpr int IDC_ENABLE_GO_QV2 = 1149;
inline constexpr int IDC_ENABLE_GO_QV1 = 1150;
inline constexpr int IDC_ENABLE_GO_AA = 1151;
inline constexpr int IDC_COUNT_QV2 = 1152;
inline constexpr int IDC_COUNT_QV1 = 1153;
inline constexpr int IDC_COUNT_AA = 1154;
inline constexpr int IDC_RUN_GO = 1155;
inline constexpr int IDC_RUN_STATUS = 1156;
inline constexpr int IDC_RUN_DISABLE = 1157;
inline constexpr int IDC_RUN_ULOCK = 1158;

// Dialog 143, "Clear, run/stop".
const DialogTemplate& ClearRunTemplate();

}  // namespace qv

#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_DATA_PARAMS = 144;
inline constexpr int IDB_LEGEND = 145;

// Controls of the data parameters panel.
enum DataParamsControl : int {
    IDC_SHOW_SUM = 1159,
    IDC_SHOW_COINC = 1160,
    IDC_SHOW_ANTICOINC = 1161,
    IDC_SHOW_QV2 = 1162,
    IDC_SHOW_QV1 = 1163,
    IDC_MAX_SUM = 1164,
    IDC_MAX_QV2 = 1167,
    IDC_MAX_QV1 = 1168,
    IDC_DEPTH_QV2 = 1169,
    IDC_DEPTH_QV1 = 1171,
    IDC_LEFT_SUM = 1172,
    IDC_LEFT_COINC = 1173,
    IDC_LEFT_ANTICOINC = 1174,
    IDC_LEFT_QV2 = 1175,
    IDC_LEFT_QV1 = 1176,
    IDC_RIGHT_SUM = 1177,
    IDC_RIGHT_COINC = 1178,
    IDC_RIGHT_ANTICOINC = 1179,
    IDC_RIGHT_QV2 = 1180,
    IDC_RIGHT_QV1 = 1181,
    IDC_LEFT_CURSOR = 1182,
    IDC_CURSOR_SPAN = 1183,
    IDC_RIGHT_CURSOR = 1184,
    IDC_HIDE = 1185,
};

// Dialog 144, "Data parameters": 297 x 106 dialog units, no system menu.
const DialogTemplate& DataParamsTemplate();

}  // namespace qv

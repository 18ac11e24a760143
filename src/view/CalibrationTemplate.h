#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_CALIBRATION = 170;
inline constexpr int IDB_CALIBRATION_PLOT = 171;  // drawn by the dialog: folded spectrum and fit

inline constexpr int IDC_CAL_QV1 = 1401;
inline constexpr int IDC_CAL_QV2 = 1402;
inline constexpr int IDC_CAL_FOLDING = 1403;
inline constexpr int IDC_CAL_ZERO = 1404;
inline constexpr int IDC_CAL_PER_CHANNEL = 1405;
inline constexpr int IDC_CAL_MAX_VELOCITY = 1406;
inline constexpr int IDC_CAL_CHI2 = 1407;
inline constexpr int IDC_CAL_STATUS = 1408;
inline constexpr int IDC_CAL_USE = 1409;
inline constexpr int IDC_CAL_PICTURE = 1410;
// The six lines, four columns each: position, width, depth, residual.
inline constexpr int IDC_CAL_LINE_FIRST = 1420;
inline constexpr int kCalibrationColumns = 4;
constexpr int CalibrationLineId(int line, int column) {
    return IDC_CAL_LINE_FIRST + line * kCalibrationColumns + column;
}

// Dialog 170, "Calibrate on α-iron": the spectrum to calibrate, the scale and
// the six lines found, the folded spectrum with the fit beside them, Use and Close.
const DialogTemplate& CalibrationTemplate();

}  // namespace qv

#pragma once

namespace qv {

// qv's own commands (menu, toolbar and accelerators route them by number).
inline constexpr int ID_DATA_REMARK = 32771;
inline constexpr int ID_TOGGLE_ZOOM = 32773;
inline constexpr int ID_SET_ANALOGUE = 32774;
inline constexpr int ID_SET_HIGH_VOLTAGE = 32775;
inline constexpr int ID_SET_VIBRATOR = 32776;
inline constexpr int ID_SET_AUX_DAC = 32777;
inline constexpr int ID_SET_COUNTERS_TIMERS = 32778;
inline constexpr int ID_CLEAR_RUN = 32779;
inline constexpr int ID_REFRESH = 32780;
inline constexpr int ID_AUTO_REFRESH = 32782;
inline constexpr int ID_MEASURE_DATA = 32783;
inline constexpr int ID_SLIDER_ADJUST = 32784;
inline constexpr int ID_AUTO_SAVE = 32785;
inline constexpr int ID_FILE_EXPORT = 32792;
inline constexpr int ID_HARDWARE_INFO = 32794;
inline constexpr int ID_PULSE_RATE = 32795;
// The velocity scale: Service > Calibrate on alpha-iron, View > Velocity spectrum.
inline constexpr int ID_CALIBRATE = 32810;
inline constexpr int ID_VELOCITY_SPECTRUM = 32811;
// File > Run Job...: a job file run in the desktop's own document.
inline constexpr int ID_RUN_JOB = 32812;

// Resource id shared by the menu, accelerators, toolbar, icon and template string.
inline constexpr int IDR_MAINFRAME = 128;

}  // namespace qv

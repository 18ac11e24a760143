#pragma once

#include "framework/DialogTemplate.h"

namespace qv {

inline constexpr int IDD_PULSE_RATE = 154;
inline constexpr int IDC_RATE_QV2 = 1254;
inline constexpr int IDC_RATE_QV1 = 1255;

// Dialog 154, "Qv: pulses/sec", in Arial at 72 points.
const DialogTemplate& PulseRateTemplate();

}  // namespace qv

#pragma once

#include "document/Measurement.h"
#include "framework/DeviceContext.h"

namespace qv {

class CDataParamsDlg;

// Which of the five curves are drawn.
struct ShownCurves {
    bool sum = true;
    bool antiCoinc = true;
    bool coinc = true;
    bool qv1 = true;
    bool qv2 = true;
};

// The panel's five show check boxes.
ShownCurves ShownCurvesOf(const CDataParamsDlg& panel);

// The points of the shown curves for the channels first..last (clipped to the
// field), one pixel each in the order sum, anticoincidence, coincidence, Qv1,
// Qv2: the view's painting, for any measurement and device context.
void DrawSpectrumPoints(CDC& dc, const Measurement& data, const SpectrumStatistics& stats,
                        const ShownCurves& shown, int first, int last);

}  // namespace qv

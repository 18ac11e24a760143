#pragma once

#include <vector>

#include "analysis/Calibration.h"
#include "framework/RgbCanvas.h"

namespace qv::analysis {

// Draws the folded spectrum against velocity: a framed plot area, the points,
// velocity ticks every whole mm/s (labelled every second one) and count ticks
// labelled with their values, for a logbook or a report.
void DrawVelocityPlot(RgbCanvas& canvas, const std::vector<VelocityPoint>& points);

}  // namespace qv::analysis

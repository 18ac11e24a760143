#pragma once

#include <string>
#include <vector>

#include "document/RunLogRecord.h"
#include "framework/RgbCanvas.h"
#include "pictures/CanvasFont.h"

namespace qv {

// The run log over time: the two pulse rates against the left axis, the
// dead-time percentage against the right one, failed captures marked along
// the time axis, with ticks, axis titles, a title and a legend. Records are
// in file order; a failed capture breaks the lines.
void DrawRunLogPlot(RgbCanvas& canvas, const CanvasFont& font, const std::string& title,
                    const std::vector<RunLogRecord>& records);

}  // namespace qv

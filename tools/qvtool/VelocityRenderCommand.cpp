#include <cstdio>

#include "CalibrationFile.h"
#include "Commands.h"
#include "PictureSize.h"
#include "ToolDocument.h"
#include "analysis/VelocityPlot.h"
#include "pictures/PngFile.h"

namespace qv::tool {

namespace {
constexpr int kSmallestSide = 120;
}  // namespace

int RenderVelocityCommand(Streams io, const RenderOptions& options) {
    const auto size = ParsePictureSize(options.size, kSmallestSide, io.err);
    if (!size) {
        return 1;
    }
    const int width = size->width, height = size->height;
    const auto cal = LoadCalibration(*options.velocity, io.err);
    ToolDocument tool(io.err);
    if (!cal || !tool.Open(options.file)) {
        return 1;
    }
    const Spectrum& qv1 = tool.Doc().Data().Qv1;
    RgbCanvas canvas(width, height);
    analysis::DrawVelocityPlot(canvas, analysis::FoldOnVelocity(qv1, *cal));
    return WritePng(canvas, options.output, io.err) ? 0 : 1;
}

}  // namespace qv::tool

#include <cstdio>

#include "CalibrationFile.h"
#include "Commands.h"
#include "PngFile.h"
#include "ToolDocument.h"
#include "analysis/VelocityPlot.h"

namespace qv::tool {

namespace {
constexpr int kLargestSide = 16384;
constexpr int kSmallestSide = 120;
}  // namespace

int RenderVelocityCommand(Streams io, const RenderOptions& options) {
    int width = 0, height = 0;
    char end = 0;
    if (std::sscanf(options.size.c_str(), "%dx%d%c", &width, &height, &end) != 2 ||
        width < kSmallestSide || height < kSmallestSide || width > kLargestSide ||
        height > kLargestSide) {
        io.err << "--size wants WxH, each from " << kSmallestSide << " to " << kLargestSide << "\n";
        return 1;
    }
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

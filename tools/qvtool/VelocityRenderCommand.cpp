#include <algorithm>

#include "Commands.h"
#include "PictureSize.h"
#include "ToolDocument.h"
#include "analysis/CalibrationFile.h"
#include "pictures/PngFile.h"
#include "view/VelocityRenderer.h"

namespace qv::tool {

namespace {

constexpr int kSmallestSide = 120;

bool Hidden(const RenderOptions& options, const char* name) {
    return std::find(options.hide.begin(), options.hide.end(), name) != options.hide.end();
}

// Qv1 and Qv2 as the desktop's velocity window shows them; --hide takes either away.
std::optional<std::vector<VelocityTrace>> Traces(const Measurement& m, const RenderOptions& options,
                                                 std::ostream& err) {
    for (const std::string& name : options.hide) {
        if (name != "qv1" && name != "qv2") {
            err << "--velocity draws qv1 and qv2 only; cannot hide '" << name << "'\n";
            return std::nullopt;
        }
    }
    std::vector<VelocityTrace> traces;
    if (!Hidden(options, "qv1")) {
        traces.push_back({"Qv1", m.Qv1, kVelocityQv1Colour});
    }
    if (!Hidden(options, "qv2")) {
        traces.push_back({"Qv2", m.Qv2, kVelocityQv2Colour});
    }
    return traces;
}

}  // namespace

int RenderVelocityCommand(Streams io, const RenderOptions& options) {
    const auto size = ParsePictureSize(options.size, kSmallestSide, io.err);
    if (!size) {
        return 1;
    }
    const auto cal = analysis::LoadCalibration(*options.velocity, io.err);
    ToolDocument tool(io.err);
    if (!cal || !tool.Open(options.file)) {
        return 1;
    }
    const auto traces = Traces(tool.Doc().Data(), options, io.err);
    if (!traces) {
        return 1;
    }
    VelocityRenderer renderer;
    RgbCanvas canvas(size->width, size->height);
    renderer.Draw(canvas, *traces, &*cal, {options.markers, options.fit, true});
    if (!renderer.FontProblem().empty()) {
        io.err << "the labels are missing: " << renderer.FontProblem() << '\n';
    }
    return WritePng(canvas, options.output, io.err) ? 0 : 1;
}

}  // namespace qv::tool

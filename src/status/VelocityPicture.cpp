#include "status/VelocityPicture.h"

#include <memory>

#include "view/VelocityRenderer.h"

namespace qv {

PictureProvider VelocityPictureProvider() {
    auto renderer = std::make_shared<VelocityRenderer>();
    return [renderer](const StatusSnapshot& snapshot, RgbCanvas& canvas) {
        if (!snapshot.calibration) {
            return false;
        }
        const std::vector<VelocityTrace> traces = {
            {"Qv1", snapshot.data.Qv1, kVelocityQv1Colour},
            {"Qv2", snapshot.data.Qv2, kVelocityQv2Colour},
        };
        renderer->Draw(canvas, traces, &*snapshot.calibration, VelocityPlotOptions{});
        return true;
    };
}

}  // namespace qv

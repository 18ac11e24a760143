#include "CalibrationFile.h"
#include "framework/FileKind.h"

#include <fstream>

#include "document/Measurement.h"

namespace qv::tool {

using Json = nlohmann::ordered_json;

Json CalibrationJson(const analysis::Calibration& cal, const char* spectrum) {
    Json lines = Json::array();
    for (const analysis::CalibratedLine& l : cal.lines) {
        lines.push_back({{"position", l.position},
                         {"width", l.width},
                         {"depth", l.depth},
                         {"residual", l.residual}});
    }
    return Json{{"spectrum", spectrum},
                {"channels", cal.channels},
                {"foldingPoint", cal.foldingPoint},
                {"zeroChannel", cal.zeroChannel},
                {"velocityPerChannel", cal.velocityPerChannel},
                {"maxVelocity", cal.maxVelocity},
                {"minVelocity", cal.minVelocity},
                {"lines", lines},
                {"chi2", cal.chi2}};
}

std::optional<analysis::Calibration> LoadCalibration(const std::string& path, std::ostream& err) {
    // Checked before the open, which would already block on a FIFO.
    const std::string why = UnreadableFileReason(path);
    std::ifstream in;
    if (why.empty()) {
        in.open(path);
    }
    if (!in.is_open()) {
        err << "cannot read the calibration " << path << (why.empty() ? "" : ": " + why) << '\n';
        return std::nullopt;
    }
    try {
        const Json json = Json::parse(in);
        analysis::Calibration cal;
        cal.channels = json.at("channels").get<int>();
        cal.foldingPoint = json.at("foldingPoint").get<double>();
        cal.zeroChannel = json.at("zeroChannel").get<double>();
        cal.velocityPerChannel = json.at("velocityPerChannel").get<double>();
        cal.maxVelocity = json.at("maxVelocity").get<double>();
        cal.minVelocity = json.value("minVelocity", -cal.maxVelocity);
        if (cal.channels != static_cast<int>(kChannels) || !(cal.velocityPerChannel > 0)) {
            err << path << " is not a calibration of a " << kChannels << "-channel spectrum\n";
            return std::nullopt;
        }
        return cal;
    } catch (const Json::exception& e) {
        err << path << " is not a calibration: " << e.what() << '\n';
        return std::nullopt;
    }
}

}  // namespace qv::tool

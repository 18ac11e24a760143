#include "analysis/CalibrationFile.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "document/Measurement.h"
#include "framework/FileKind.h"

namespace qv::analysis {

using Json = nlohmann::ordered_json;

namespace {

// The six lines and chi2 are there for the reader; a file without them still
// gives a usable scale.
void ReadLines(const Json& json, Calibration& cal) {
    const Json* lines = json.contains("lines") ? &json.at("lines") : nullptr;
    if (lines && lines->is_array() && lines->size() == cal.lines.size()) {
        for (std::size_t k = 0; k < cal.lines.size(); ++k) {
            const Json& l = (*lines)[k];
            cal.lines[k] = {l.value("position", 0.0), l.value("width", 0.0), l.value("depth", 0.0),
                            l.value("residual", 0.0)};
        }
    }
    cal.chi2 = json.value("chi2", 0.0);
}

// A folding point and a zero channel inside the memory and a positive scale,
// as Calibrate gives them; anything else would fold far outside the memory.
bool Plausible(const Calibration& cal) {
    const double n = static_cast<double>(kChannels);
    return cal.channels == static_cast<int>(kChannels) && cal.velocityPerChannel > 0 &&
           cal.foldingPoint >= 0 && cal.foldingPoint < n && cal.zeroChannel >= 0 &&
           cal.zeroChannel < n && std::isfinite(cal.velocityPerChannel);
}

}  // namespace

Json CalibrationJson(const Calibration& cal, const char* spectrum) {
    Json lines = Json::array();
    for (const CalibratedLine& l : cal.lines) {
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

std::optional<Calibration> ParseCalibration(const std::string& text, std::string& why) {
    try {
        const Json json = Json::parse(text);
        Calibration cal;
        cal.channels = json.at("channels").get<int>();
        cal.foldingPoint = json.at("foldingPoint").get<double>();
        cal.zeroChannel = json.at("zeroChannel").get<double>();
        cal.velocityPerChannel = json.at("velocityPerChannel").get<double>();
        cal.maxVelocity = json.at("maxVelocity").get<double>();
        cal.minVelocity = json.value("minVelocity", -cal.maxVelocity);
        if (!Plausible(cal)) {
            why = "not a calibration of a " + std::to_string(kChannels) + "-channel spectrum";
            return std::nullopt;
        }
        ReadLines(json, cal);
        return cal;
    } catch (const Json::exception& e) {
        why = std::string("not a calibration: ") + e.what();
        return std::nullopt;
    }
}

std::optional<Calibration> LoadCalibration(const std::string& path, std::ostream& err) {
    // Checked before the open, which would already block on a FIFO.
    const std::string unreadable = UnreadableFileReason(path);
    std::ifstream in;
    if (unreadable.empty()) {
        in.open(path);
    }
    if (!in.is_open()) {
        err << "cannot read the calibration " << path
            << (unreadable.empty() ? "" : ": " + unreadable) << '\n';
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string why;
    auto cal = ParseCalibration(text.str(), why);
    if (!cal) {
        err << path << " is " << why << '\n';
    }
    return cal;
}

std::string CalibrationPathBeside(const std::string& dataPath) {
    std::filesystem::path path(dataPath);
    path.replace_extension(".cal.json");
    return path.string();
}

}  // namespace qv::analysis

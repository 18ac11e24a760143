#pragma once

#include <optional>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "analysis/Calibration.h"

namespace qv::analysis {

// The calibration as `qvtool calibrate --json` prints it, `-o` saves it and
// the desktop's Use stores it.
nlohmann::ordered_json CalibrationJson(const Calibration& cal, const char* spectrum);
// A calibration from that layout; nothing, with the reason in `why`, when the
// text is not one of a spectrum of this program's size.
std::optional<Calibration> ParseCalibration(const std::string& text, std::string& why);
// Reads a saved calibration; says why on `err` when it cannot.
std::optional<Calibration> LoadCalibration(const std::string& path, std::ostream& err);
// NAME.cal.json beside the data file NAME.qv (or NAME.anything).
std::string CalibrationPathBeside(const std::string& dataPath);

}  // namespace qv::analysis

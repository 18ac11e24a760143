#pragma once

#include <optional>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "analysis/Calibration.h"

namespace qv::tool {

// The calibration as `calibrate --json` prints it and `-o` saves it.
nlohmann::ordered_json CalibrationJson(const analysis::Calibration& cal, const char* spectrum);
// Reads a saved calibration; says why on `err` when it cannot.
std::optional<analysis::Calibration> LoadCalibration(const std::string& path, std::ostream& err);

}  // namespace qv::tool

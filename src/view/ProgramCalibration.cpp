#include "view/ProgramCalibration.h"

#include <cstddef>
#include <span>

#include "analysis/CalibrationFile.h"
#include "framework/AtomicFile.h"

namespace qv {

ProgramCalibration::ProgramCalibration(SettingsStore& settings) : m_settings(settings) {
    const std::string text = m_settings.Read(kCalibrationSection, kCalibrationJsonKey, "");
    if (text.empty()) {
        return;
    }
    std::string why;
    m_calibration = analysis::ParseCalibration(text, why);
    if (m_calibration) {
        m_file = m_settings.Read(kCalibrationSection, kCalibrationFileKey, "");
        m_spectrum = nlohmann::json::parse(text).value("spectrum", "");
    }
}

std::string ProgramCalibration::Use(const analysis::Calibration& cal, const char* spectrum,
                                    const std::string& dataPath) {
    const auto json = analysis::CalibrationJson(cal, spectrum);
    const std::string text = json.dump(2) + "\n";
    std::string error;
    m_file.clear();
    if (!dataPath.empty()) {
        const std::string path = analysis::CalibrationPathBeside(dataPath);
        const FileWriteResult written =
            WriteFileReplacing(path, std::as_bytes(std::span(text.data(), text.size())));
        if (written.Ok()) {
            m_file = path;
        } else {
            error = path + ": " + written.error;
        }
    }
    m_calibration = cal;
    m_spectrum = spectrum;
    // One line: a profile entry holds no line breaks.
    m_settings.Write(kCalibrationSection, kCalibrationJsonKey, json.dump());
    m_settings.Write(kCalibrationSection, kCalibrationFileKey, m_file);
    for (const auto& listener : m_listeners) {
        listener();
    }
    return error;
}

}  // namespace qv

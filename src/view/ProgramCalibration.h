#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/Calibration.h"
#include "framework/SettingsStore.h"

namespace qv {

inline constexpr const char* kCalibrationSection = "Calibration";
inline constexpr const char* kCalibrationFileKey = "File";
inline constexpr const char* kCalibrationJsonKey = "Json";

// The velocity calibration the program folds with: the last one used, kept in
// the profile as the calibration file's text, so that it outlives the file.
class ProgramCalibration {
public:
    // Reads the last one used from the profile; a damaged entry is none.
    explicit ProgramCalibration(SettingsStore& settings);

    const analysis::Calibration* Get() const { return m_calibration ? &*m_calibration : nullptr; }
    // The calibration file it was stored in; empty when none was written.
    const std::string& File() const { return m_file; }
    const std::string& Spectrum() const { return m_spectrum; }

    // Makes cal the program's calibration: in the profile and, when the
    // measurement has a file, as NAME.cal.json beside it (in the layout of
    // qvtool calibrate -o). Returns why the file could not be written, empty
    // when it was (or there was no data file); the profile takes it either way.
    std::string Use(const analysis::Calibration& cal, const char* spectrum,
                    const std::string& dataPath);

    // Called after every Use.
    void OnChange(std::function<void()> listener) { m_listeners.push_back(std::move(listener)); }

private:
    SettingsStore& m_settings;
    std::optional<analysis::Calibration> m_calibration;
    std::string m_file;
    std::string m_spectrum;
    std::vector<std::function<void()>> m_listeners;
};

}  // namespace qv

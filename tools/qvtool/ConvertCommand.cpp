#include <chrono>
#include <ctime>
#include <filesystem>

#include "Commands.h"
#include "OutputFile.h"
#include "ToolDocument.h"
#include "analysis/CalibrationFile.h"
#include "analysis/ExportFormats.h"

namespace qv::tool {

namespace {

// When the measurement was saved, as Maestro writes dates: the data file
// carries no date of its own.
std::string SavedAt(const std::string& file) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(file, error);
    std::time_t t = 0;
    if (!error) {
        t = std::chrono::system_clock::to_time_t(
            std::chrono::file_clock::to_sys(written) -
            std::chrono::file_clock::to_sys(written).time_since_epoch() % std::chrono::seconds(1));
    }
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%m/%d/%Y %H:%M:%S", &local);
    return text;
}

std::optional<std::string> Convert(Streams io, const ConvertOptions& options, const Measurement& m,
                                   analysis::SpectrumChoice choice) {
    const std::string& format = options.format;
    if (format == "velocity") {
        if (!options.calibration) {
            io.err << "the velocity layout needs --calibration CAL.json (from qvtool calibrate)\n";
            return std::nullopt;
        }
        const auto cal = analysis::LoadCalibration(*options.calibration, io.err);
        if (!cal) {
            return std::nullopt;
        }
        return analysis::VelocityAscii(m, choice, *cal, *options.calibration);
    }
    if (format == "ws5") {
        return analysis::Ws5(m, choice);
    }
    if (format == "spe") {
        return analysis::OrtecSpe(m, choice, SavedAt(options.file));
    }
    if (format == "csv") {
        return analysis::Csv(m);
    }
    return analysis::PlainAscii(m, choice);
}

}  // namespace

int ConvertCommand(Streams io, const ConvertOptions& options) {
    const std::string spectrum = options.spectrum.value_or(options.format == "spe" ? "sum" : "qv1");
    const auto choice = analysis::ParseSpectrumChoice(spectrum);
    if (!choice) {
        io.err << "unknown spectrum '" << spectrum << "' (qv1, qv2, anticoinc, coinc, sum)\n";
        return 1;
    }
    ToolDocument tool(io.err);
    if (!tool.Open(options.file)) {
        return 1;
    }
    const auto bytes = Convert(io, options, tool.Doc().Data(), *choice);
    return bytes && WriteOutput(options.output, *bytes, io.err) ? 0 : 1;
}

}  // namespace qv::tool

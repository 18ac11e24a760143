#include <cstdio>

#include "CalibrationFile.h"
#include "Commands.h"
#include "OutputFile.h"
#include "ToolDocument.h"
#include "analysis/SettingsDiff.h"
#include "analysis/SpectrumChoice.h"
#include "jobs/JsonText.h"

namespace qv::tool {

namespace {

std::string Line(const char* format, double a) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a);
    return buffer;
}

void PrintCalibration(std::ostream& out, const analysis::Calibration& cal, const char* spectrum,
                      const Measurement& m) {
    out << spectrum << " calibrated on \u03b1-iron\n";
    out << Line("folding point:          %.2f channels\n", cal.foldingPoint);
    out << Line("zero-velocity channel:  %.2f\n", cal.zeroChannel);
    out << Line("velocity per channel:   %.6f mm/s\n", cal.velocityPerChannel);
    out << Line("maximum velocity:       %.4f mm/s", cal.maxVelocity)
        << Line(" (at the folding point %.4f mm/s)\n", cal.minVelocity);
    const double nominal = analysis::VelocityMmPerS(m.Settings.Vibrator);
    if (nominal > 0) {
        out << Line("nominal velocity:       %.4f mm/s", nominal)
            << Line(" from the vibrator settings (calibrated %+.2f %%)\n",
                    (cal.maxVelocity / nominal - 1) * 100);
    }
    out << Line("chi2 per degree of freedom: %.3f\n", cal.chi2);
    out << "line  position (mm/s)  residual (mm/s)  width (mm/s)  depth\n";
    for (int k = 0; k < analysis::kSextetLines; ++k) {
        const analysis::CalibratedLine& l = cal.lines[k];
        char row[128];
        std::snprintf(row, sizeof row, "%4d  %15.4f  %+15.4f  %12.4f  %5.3f\n", k + 1, l.position,
                      l.residual, l.width, l.depth);
        out << row;
    }
}

}  // namespace

int CalibrateCommand(Streams io, const CalibrateOptions& options) {
    const auto choice = analysis::ParseSpectrumChoice(options.spectrum);
    ToolDocument tool(io.err);
    if (!choice || !tool.Open(options.file)) {
        return 1;
    }
    const Measurement& m = tool.Doc().Data();
    const char* name = analysis::SpectrumName(*choice);
    const analysis::CalibrationOutcome outcome =
        analysis::Calibrate(analysis::SpectrumCounts(m, *choice));
    if (!outcome.calibration) {
        io.err << "calibrate: " << name << ": " << outcome.error << '\n';
        return 1;
    }
    const auto json = CalibrationJson(*outcome.calibration, name);
    if (options.output && !WriteOutput(*options.output, jobs::JsonText(json, 2) + "\n", io.err)) {
        return 1;
    }
    if (options.json) {
        io.out << jobs::JsonText(json, 2) << '\n';
    } else {
        PrintCalibration(io.out, *outcome.calibration, name, m);
    }
    return 0;
}

}  // namespace qv::tool

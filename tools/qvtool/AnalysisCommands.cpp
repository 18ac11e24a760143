#include "AnalysisCommands.h"

#include "Commands.h"

namespace qv::tool {

namespace {

const std::vector<std::string> kQvSpectra = {"qv1", "qv2"};
const std::vector<std::string> kAllSpectra = {"qv1", "qv2", "anticoinc", "coinc", "sum"};
const std::vector<std::string> kFormats = {"velocity", "ws5", "spe", "csv", "ascii"};

struct AnalysisOptions {
    CalibrateOptions calibrate;
    ConvertOptions convert;
    std::string diffA, diffB;
    bool diffJson = false;
};

}  // namespace

void AddAnalysisCommands(CLI::App& app, Streams io, std::function<int()>& run) {
    auto options = std::make_shared<AnalysisOptions>();
    CalibrateOptions& cal = options->calibrate;
    auto* calibrate = app.add_subcommand(
        "calibrate", "Velocity scale from an alpha-iron measurement with a triangular sweep");
    calibrate->add_option("FILE", cal.file, "Data file (.qv)")->required();
    calibrate->add_option("--spectrum", cal.spectrum, "qv1 (default) or qv2")
        ->check(CLI::IsMember(kQvSpectra));
    calibrate->add_flag("--json", cal.json, "Print JSON");
    calibrate->add_option("-o,--output", cal.output, "Save the calibration as JSON");
    calibrate->callback([options, io, &run] {
        run = [options, io] { return CalibrateCommand(io, options->calibrate); };
    });

    ConvertOptions& conv = options->convert;
    auto* fold = app.add_subcommand("fold", "Write the folded spectrum on the velocity axis");
    fold->add_option("FILE", conv.file, "Data file (.qv)")->required();
    fold->add_option("--calibration", conv.calibration, "From qvtool calibrate -o")->required();
    fold->add_option("--spectrum", conv.spectrum, "qv1 (default) or qv2")
        ->check(CLI::IsMember(kQvSpectra));
    fold->add_option("-o,--output", conv.output, "File to write")->required();
    fold->callback([options, io, &run] {
        options->convert.format = "velocity";
        run = [options, io] { return ConvertCommand(io, options->convert); };
    });

    auto* convert = app.add_subcommand("convert", "Write a spectrum for another program");
    convert->add_option("FILE", conv.file, "Data file (.qv)")->required();
    convert->add_option("--to", conv.format, "velocity, ws5, spe, csv or ascii")
        ->required()
        ->check(CLI::IsMember(kFormats));
    convert
        ->add_option("--spectrum", conv.spectrum,
                     "qv1, qv2, anticoinc, coinc, sum (default qv1; sum for spe)")
        ->check(CLI::IsMember(kAllSpectra));
    convert->add_option("--calibration", conv.calibration, "For the velocity layout");
    convert->add_option("-o,--output", conv.output, "File to write")->required();
    convert->callback([options, io, &run] {
        run = [options, io] { return ConvertCommand(io, options->convert); };
    });

    auto* diff = app.add_subcommand("diff", "List the settings in which two measurements differ");
    diff->add_option("A", options->diffA, "First data file")->required();
    diff->add_option("B", options->diffB, "Second data file")->required();
    diff->add_flag("--json", options->diffJson, "Print JSON");
    diff->callback([options, io, &run] {
        run = [options, io] {
            return DiffCommand(io, options->diffA, options->diffB, options->diffJson);
        };
    });
}

}  // namespace qv::tool

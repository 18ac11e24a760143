#include "QvTool.h"

#include <CLI/CLI.hpp>

#include "AnalysisCommands.h"
#include "Commands.h"
#include "JobCommands.h"
#include "ProgramVersion.h"

namespace qv::tool {

int RunQvTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"qvtool: work with qv measurement files without the desktop program"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("qvtool ") + kProgramVersion);
    // Global, for the commands that talk to a card (before or after the command's name).
    std::optional<std::string> trace;
    app.add_option("--trace", trace, "Write one line per exchange with the card to this file");
    app.fallthrough();
    Streams io{out, err};
    std::string file, text;
    std::optional<std::string> output;
    bool json = false, spectra = false;
    std::function<int()> run;

    auto* info = app.add_subcommand("info", "Show a measurement as the program loads it");
    info->add_option("FILE", file, "Data file (.qv)")->required();
    info->add_flag("--json", json, "Print JSON");
    info->add_flag("--spectra", spectra, "Add the four spectra");
    info->callback([&] { run = [&] { return InfoCommand(io, file, json, spectra); }; });

    auto* newCmd = app.add_subcommand("new", "Write the file of a new, empty measurement");
    newCmd->add_option("FILE", file, "Data file to write")->required();
    newCmd->add_option("--remark", text, "Remark (UTF-8, stored as Windows-1252)");
    bool force = false;
    newCmd->add_flag("--force", force, "Replace an existing file (never a read-only one)");
    newCmd->callback([&] { run = [&] { return NewCommand(io, file, text, force); }; });

    auto* remark = app.add_subcommand("remark", "Replace the remark of a measurement");
    remark->add_option("FILE", file, "Data file")->required();
    remark->add_option("TEXT", text, "New remark (UTF-8)")->required();
    remark->add_option("-o,--output", output, "Write to this file instead of FILE");
    remark->callback([&] { run = [&] { return RemarkCommand(io, file, text, output); }; });

    auto* hdw = app.add_subcommand("hdw", "Parse a hardware description file as start-up does");
    hdw->add_option("FILE", file, "Hardware description file (qv.hdw)")->required();
    hdw->add_flag("--json", json, "Print JSON");
    hdw->callback([&] { run = [&] { return HdwCommand(io, file, json); }; });

    auto* exportCmd = app.add_subcommand("export", "Write the six export files for Pelmix");
    exportCmd->add_option("FILE", file, "Data file")->required();
    exportCmd->add_option("--to", output, "Path chosen in the export dialog (default: FILE)");
    exportCmd->callback([&] { run = [&] { return ExportCommand(io, file, output); }; });

    SimulateOptions simulate;
    auto* simulateCmd =
        app.add_subcommand("simulate", "Measure with the virtual spectrometer and save the file");
    simulateCmd->add_option("-o,--output", simulate.file, "Data file to write")->required();
    simulateCmd->add_option("--seconds", simulate.seconds, "Virtual seconds of counting");
    simulateCmd->add_option("--seed", simulate.seed, "Seed of the counting noise");
    simulateCmd->add_option("--rate,--sim-rate", simulate.rate, "Source pulses per second")
        ->check(CLI::Validator([](std::string& text) { return CheckSourceRate(text); },
                               kSourceRateRange));
    simulateCmd->add_flag("--sim-locked", simulate.faults.locked, "The front-panel key is turned");
    std::vector<std::string> faults;
    simulateCmd
        ->add_option("--sim-fault", faults,
                     std::string("The card misbehaves: ") + sim::kCardFaultNames)
        ->check(CLI::Validator([](std::string& text) { return CheckCardFault(text); }, "KIND[=N]"))
        // One fault per --sim-fault: the job lines after it are not faults.
        ->allow_extra_args(false);
    simulateCmd->add_option("--log", simulate.log, "Append the capture's line to this run log");
    simulateCmd->callback([&] {
        run = [&] {
            for (const std::string& fault : faults) {
                sim::AddCardFault(fault, simulate.faults);
            }
            simulate.trace = trace;
            return SimulateCommand(io, simulate);
        };
    });

    RenderOptions render;
    auto* renderCmd = app.add_subcommand("render", "Draw the spectrum view of a file into a PNG");
    renderCmd->add_option("FILE", render.file, "Data file")->required();
    renderCmd->add_option("-o,--output", render.output, "PNG file to write")->required();
    renderCmd->add_option("--size", render.size, "Client area WxH in pixels (default 1024x600)");
    renderCmd->add_flag("--zoom", render.zoom, "One pixel per channel, as after Toggle zoom");
    renderCmd->add_option("--scroll", render.scroll, "Scroll position X,Y when zoomed");
    renderCmd->add_option("--cursors", render.cursors, "Cursor channels L,R (default 1000,3000)");
    renderCmd->add_flag("--no-measure", render.noMeasure, "Measure mode off: no cursor lines");
    renderCmd->add_option("--hide", render.hide, "Spectra not to draw: sum,coinc,anticoinc,qv1,qv2")
        ->delimiter(',');
    renderCmd->add_option("--velocity", render.velocity,
                          "Folded Qv1 and Qv2 against velocity (CAL.json)");
    renderCmd->add_flag("--fit", render.fit,
                        "With --velocity: the fitted sextet and its residuals");
    renderCmd->add_flag("--markers", render.markers,
                        "With --velocity: the \u03b1-iron line positions");
    renderCmd->callback([&] {
        run = [&] {
            return render.velocity ? RenderVelocityCommand(io, render) : RenderCommand(io, render);
        };
    });

    LogOptions log;
    auto* logCmd = app.add_subcommand("log", "Sum up a run log and draw it over time");
    logCmd->add_option("FILE", log.file, "Run log (.log.csv)")->required();
    logCmd->add_option("--plot", log.plot, "Draw the rates and the dead time into this PNG");
    logCmd->add_option("--size", log.size, "Plot size WxH in pixels (default 1024x600)");
    logCmd->add_flag("--json", log.json, "Print JSON");
    logCmd->callback([&] { run = [&] { return LogCommand(io, log); }; });

    AddAnalysisCommands(app, io, run);
    AddJobCommands(app, io, run, trace);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e, out, err);
    }
    return run ? run() : 1;
}

}  // namespace qv::tool

#include "QvTool.h"

#include <CLI/CLI.hpp>

#include "Commands.h"

namespace qv::tool {

int RunQvTool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app{"qvtool: work with qv measurement files without the desktop program"};
    app.require_subcommand(1);
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
    newCmd->callback([&] { run = [&] { return NewCommand(io, file, text); }; });

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

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e, out, err);
    }
    return run ? run() : 1;
}

}  // namespace qv::tool

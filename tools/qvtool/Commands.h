#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "simulator/BenchOptions.h"

namespace qv::tool {

struct Streams {
    std::ostream& out;
    std::ostream& err;
};

int InfoCommand(Streams io, const std::string& file, bool json, bool spectra);
int HdwCommand(Streams io, const std::string& file, bool json);
// Refuses an existing file unless force; never replaces a read-only one.
int NewCommand(Streams io, const std::string& file, const std::string& remark, bool force);
int RemarkCommand(Streams io, const std::string& file, const std::string& remark,
                  const std::optional<std::string>& output);
int ExportCommand(Streams io, const std::string& file, const std::optional<std::string>& to);

struct SimulateOptions {
    std::string file;
    std::uint32_t seconds = 60;
    std::uint64_t seed = 1;
    double rate = 20000.0;             // source pulses per second
    sim::CardFaults faults{};          // the training bench: --sim-locked, --sim-fault
    std::optional<std::string> trace;  // one line per exchange with the card
    std::optional<std::string> log;    // the run log of the capture
};
using sim::kMaxSourceRate;
using sim::kMinSourceRate;
using sim::kSourceRateRange;
// Empty when text is a source rate the virtual card takes, else why not.
std::string CheckSourceRate(const std::string& text);
// Empty when text names a fault of the virtual card, else why not.
std::string CheckCardFault(const std::string& text);
// Measures with the virtual spectrometer and saves the result as a data file.
int SimulateCommand(Streams io, const SimulateOptions& options);

struct RenderOptions {
    std::string file;
    std::string output;
    std::string size = "1024x600";       // client area, WxH pixels
    bool zoom = false;                   // one pixel per channel with scroll bars
    std::optional<std::string> scroll;   // X,Y in pixels, zoomed only
    std::optional<std::string> cursors;  // L,R channels
    bool noMeasure = false;
    std::vector<std::string> hide;        // sum, coinc, anticoinc, qv1, qv2
    std::optional<std::string> velocity;  // calibration JSON: folded Qv1, Qv2 against velocity
    bool fit = false;                     // velocity: the fitted sextet and its residuals
    bool markers = false;                 // velocity: the alpha-iron line positions
};
// Writes the pixels that the view's client area shows for the file as a PNG.
int RenderCommand(Streams io, const RenderOptions& options);
// The folded Qv1 and Qv2 spectra against velocity, as the desktop's velocity
// window draws them, as a PNG.
int RenderVelocityCommand(Streams io, const RenderOptions& options);

struct CalibrateOptions {
    std::string file;
    std::string spectrum = "qv1";
    bool json = false;
    std::optional<std::string> output;  // calibration JSON
};
// Velocity calibration on alpha-iron.
int CalibrateCommand(Streams io, const CalibrateOptions& options);

struct ConvertOptions {
    std::string file;
    std::string format;  // velocity, ws5, spe, csv, ascii
    std::string output;
    std::optional<std::string> spectrum;
    std::optional<std::string> calibration;
};
// Writes one spectrum (or all, as CSV) in another program's layout.
int ConvertCommand(Streams io, const ConvertOptions& options);

struct LogOptions {
    std::string file;                 // a run log
    std::optional<std::string> plot;  // PNG of the rates and dead time over time
    std::string size = "1024x600";    // of the plot, WxH pixels
    bool json = false;
};
// Sums a run log up (skipping torn lines with a note) and draws it.
int LogCommand(Streams io, const LogOptions& options);

// Lists the settings that differ and what each file counted.
int DiffCommand(Streams io, const std::string& fileA, const std::string& fileB, bool json);

}  // namespace qv::tool

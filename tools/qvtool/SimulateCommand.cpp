#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "Commands.h"
#include "ToolDocument.h"
#include "editors/DocumentEditors.h"
#include "hardware/HardwareGlobals.h"
#include "hardware/TransferTrace.h"
#include "simulator/SimulatedRun.h"
#include "simulator/VirtualSpectrometer.h"

namespace qv::tool {

namespace {

// The virtual card is the process's card for as long as the command runs.
class InstalledCard {
public:
    InstalledCard(PortBus& bus, TickClock& clock) {
        HardwareGlobals& globals = HardwareGlobals::Instance();
        globals.SetBus(bus);
        globals.SetClock(clock);
    }
    ~InstalledCard() { HardwareGlobals::Instance().Reset(); }
    InstalledCard(const InstalledCard&) = delete;
    InstalledCard& operator=(const InstalledCard&) = delete;
};

int Failed(Streams io, const char* step, int error) {
    io.err << "simulate: " << step << " failed, error " << error << '\n';
    return 1;
}

}  // namespace

std::string CheckSourceRate(const std::string& text) {
    double rate = 0;
    return sim::ParseSourceRate(text, rate);
}

std::string CheckCardFault(const std::string& text) {
    sim::CardFaults scratch;
    return sim::AddCardFault(text, scratch);
}

int SimulateCommand(Streams io, const SimulateOptions& options) {
    ToolDocument tool(io.err);
    CQvDoc& doc = tool.Doc();

    ManualTickClock clock;
    VirtualSpectrometerOptions cardOptions;
    cardOptions.card.seed = options.seed;
    cardOptions.card.sourceRate = options.rate;
    cardOptions.faults = options.faults;
    VirtualSpectrometer card(clock, cardOptions);
    InstalledCard installed(card, clock);
    std::optional<TransferTraceFile> trace;
    if (options.trace && !trace.emplace(*options.trace, clock).IsOpen()) {
        io.err << "simulate: cannot write the transfer trace " << *options.trace << '\n';
        return 1;
    }

    sim::SimulatedRun run(clock);
    if (const int error = run.Configure()) {
        return Failed(io, "setting up the card", error);
    }
    if (const int error = run.Clear()) {
        return Failed(io, "clearing", error);
    }
    // No time, no counts: the memories stay as the clear left them.
    if (options.seconds > 0) {
        if (const int error = run.Start()) {
            return Failed(io, "starting", error);
        }
        run.Wait(options.seconds);
        if (const int error = run.Stop()) {
            return Failed(io, "stopping", error);
        }
    }
    // The measurement as "Refresh from hardware" takes it: settings blocks,
    // version stamp and spectra through the document's capture.
    DocumentEditors editors;
    doc.SetHardwareEditors(&editors);
    doc.SetRunLogPath(options.log);
    if (const int error = doc.CaptureHardwareState()) {
        return Failed(io, "capturing", error);
    }
    return doc.OnSaveDocument(options.file) ? 0 : 1;
}

}  // namespace qv::tool

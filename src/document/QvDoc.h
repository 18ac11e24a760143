#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "document/CaptureReadings.h"
#include "document/HardwareDescription.h"
#include "document/HardwareEditors.h"
#include "document/Measurement.h"
#include "document/RunLog.h"
#include "document/SpectrumReadout.h"
#include "framework/Document.h"
#include "hardware/CHardwarePort.h"

namespace qv {

// The one measurement document: spectra, settings image, remark and version
// stamp (the measurement), the hardware description read at start-up, and the
// statistics the view scales with.
class CQvDoc : public CDocument {
public:
    // Reads the hardware description from hdwPath (start-up shows its warnings
    // through ui); without a path the built-in defaults are used silently.
    explicit CQvDoc(Ui& ui, std::optional<std::string> hdwPath = DefaultHardwareDescription());

    static std::optional<std::string> DefaultHardwareDescription();

    bool OnNewDocument() override;
    void Serialize(CArchive& archive) override;

    void UpdateStatistics();
    // Runs once from the constructor; 0 when the file was read completely.
    int ReadHardwareDescription(const std::string& path);

    // File > Export: asks for a path, then writes the six files.
    void OnExport();

    // "Hardware turned off?\nErr no:%d" with the step number, no owner window.
    void ReportHardwareError(int number);
    // Every settings block and the three spectrum memories from the card into
    // the measurement, then the statistics. 0, or the step that failed (2..7);
    // the blocks captured before a failure stay, and the document is marked
    // modified and stamped whatever happens.
    int CaptureHardwareState();
    // The capture with counting stopped around it, for autosave: 0, or 11..16.
    int SuspendedCapture();
    // Each of the two captures appends one line to the run log, whatever its
    // result. The log goes to path (qv --log), or with nothing beside the data
    // file; a document that has no file yet keeps none.
    void SetRunLogPath(std::optional<std::string> path) { m_runLog.SetPath(std::move(path)); }
    std::optional<std::string> RunLogPath() const { return m_runLog.PathFor(GetPathName()); }
    RunLog& GetRunLog() { return m_runLog; }
    // Told the result of each of the two captures, after its run-log line.
    void SetCaptureObserver(std::function<void(int result)> observer) {
        m_captureObserver = std::move(observer);
    }
    // What the block captures of the running capture read beyond the settings
    // image; the editor layer fills it, block by block.
    CaptureReadings& Readings() { return m_readings; }
    CHardwarePort& Port() { return *m_port; }

    // The editor layer that the Settings commands open; borrowed.
    void SetHardwareEditors(HardwareEditors* editors) { m_editors = editors; }
    HardwareEditors* Editors() const { return m_editors; }

    HardwareDescription& Description() { return m_description; }
    const HardwareDescription& Description() const { return m_description; }
    Measurement& Data() { return m_data; }
    const Measurement& Data() const { return m_data; }
    const SpectrumStatistics& Statistics() const { return m_statistics; }

private:
    void OnSettingsCommand(int command);
    // The two captures without their run-log line.
    int CaptureState();
    int SuspendedCaptureSteps();
    // Runs one capture with fresh readings and logs its result.
    int Logged(int (CQvDoc::*capture)());
    int StopCounting();
    int RestartCounting(const std::array<std::uint8_t, 2>& saved);

    HardwareEditors* m_editors = nullptr;
    HardwareDescription m_description = HardwareDescription::Defaults();
    Measurement m_data;
    // Made once the hardware description has set the port base; lives as
    // long as the document.
    std::unique_ptr<CHardwarePort> m_port;
    // Where the spectra are read before they replace the document's.
    std::unique_ptr<SpectrumReadout> m_readout;
    SpectrumStatistics m_statistics;
    CaptureReadings m_readings;
    RunLog m_runLog;
    std::function<void(int)> m_captureObserver;
};

// "Hardware turned off?\nErr no:%d" with number.
std::string FormatHardwareError(int number);

}  // namespace qv

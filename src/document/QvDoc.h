#pragma once

#include <optional>
#include <string>

#include "document/HardwareDescription.h"
#include "document/HardwareEditors.h"
#include "document/Measurement.h"
#include "framework/Document.h"

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

    HardwareEditors* m_editors = nullptr;
    HardwareDescription m_description = HardwareDescription::Defaults();
    Measurement m_data;
    // The document's own port object joins here with the card link.
    SpectrumStatistics m_statistics;
};

}  // namespace qv

#include "document/QvDoc.h"

#include <memory>

#include "document/CommandIds.h"
#include "document/DataFile.h"
#include "document/ExportFile.h"
#include "document/HardwareDescriptionFile.h"
#include "hardware/HardwareGlobals.h"

namespace qv {

std::optional<std::string> CQvDoc::DefaultHardwareDescription() {
    return DefaultHardwareDescriptionPath();
}

CQvDoc::CQvDoc(Ui& ui, std::optional<std::string> hdwPath) : CDocument(ui) {
    OnCommandId(ID_FILE_EXPORT, [this] { OnExport(); });
    for (const int command :
         {ID_CLEAR_RUN, ID_SET_COUNTERS_TIMERS, ID_SET_ANALOGUE, ID_SET_HIGH_VOLTAGE,
          ID_SET_VIBRATOR, ID_SET_AUX_DAC, ID_HARDWARE_INFO}) {
        OnCommandId(command, [this, command] { OnSettingsCommand(command); });
        OnUpdateCommand(command, [this, command](CCmdUI& ui) {
            ui.Enable(m_editors != nullptr && m_editors->HasEditor(command));
        });
    }
    HardwareGlobals::Instance().portBase = HardwareGlobals::kDefaultPortBase;
    if (hdwPath) {
        ReadHardwareDescription(*hdwPath);
    }
    m_port = std::make_unique<CHardwarePort>();
    m_readout = std::make_unique<SpectrumReadout>();
}

int CQvDoc::ReadHardwareDescription(const std::string& path) {
    const HardwareDescriptionReading reading = ReadHardwareDescriptionFile(path);
    HardwareGlobals::Instance().portBase = reading.portBase;
    m_description = reading.record;
    if (!reading.message.empty()) {
        GetUi().Message(reading.message, kHardwareDescriptionCaption, MsgButtons::Ok);
    }
    return reading.complete ? 0 : 1;
}

bool CQvDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) {
        return false;
    }
    m_data.Remark.clear();
    m_data.Qv2.fill(0);
    m_data.Qv1.fill(0);
    m_data.Aa.fill(0);
    m_statistics = SpectrumStatistics{};
    return true;
}

void CQvDoc::Serialize(CArchive& archive) {
    if (archive.IsStoring()) {
        StoreMeasurement(archive, m_data);
        return;
    }
    // Load into a fresh measurement so a refused or damaged file leaves ours intact.
    auto loaded = std::make_unique<Measurement>();
    const DataFileLoad result = LoadMeasurement(archive, *loaded);
    if (result == DataFileLoad::Refused) {
        GetUi().Message(kIncompatibleFileMessage, {}, MsgButtons::Ok, MsgIcon::Exclamation);
        throw CUserException();
    }
    m_data = std::move(*loaded);
    UpdateStatistics();
    if (result == DataFileLoad::Incomplete) {
        GetUi().Message(FormatIncompleteFileMessage(archive.GetFileName()), {}, MsgButtons::Ok,
                        MsgIcon::Exclamation);
    }
}

void CQvDoc::UpdateStatistics() {
    m_statistics = ComputeStatistics(m_data);
}

void CQvDoc::OnSettingsCommand(int command) {
    if (m_editors != nullptr && m_editors->HasEditor(command)) {
        m_editors->RunEditor(command, *this);
    }
}

void CQvDoc::OnExport() {
    FileDialogRequest request;
    request.save = true;
    request.initialPath = GetPathName();
    request.filter = kExportFilter;
    request.flags = kHideReadOnly | kLongNames;
    if (const auto chosen = GetUi().ChooseFile(request)) {
        WriteExportSet(GetUi(), m_data, *chosen);
    }
}

}  // namespace qv

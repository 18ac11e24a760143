#include "editors/DocumentEditors.h"

#include "document/CommandIds.h"
#include "document/QvDoc.h"
#include "editors/AnalogueBlockDlg.h"
#include "editors/AuxDacDlg.h"
#include "editors/CountersTimersDlg.h"
#include "editors/HardwareInfoDlg.h"
#include "editors/HighVoltageDlg.h"
#include "editors/VibratorDlg.h"

namespace qv {

namespace {

void RunAnalogue(CQvDoc& document) {
    CAnalogueBlockDlg dialog(document.GetUi());
    dialog.m_pBlock = &document.Data().Settings.Analogue;
    dialog.m_pDescription = &document.Description();
    dialog.DoModal();
}

int CaptureAnalogue(CQvDoc& document) {
    CAnalogueBlockDlg editor(document.GetUi());
    editor.m_pBlock = &document.Data().Settings.Analogue;
    return editor.CaptureToBuffer();
}

void RunAuxDac(CQvDoc& document) {
    CAuxDacDlg dialog(document.GetUi());
    dialog.DoModal();
}

void RunHardwareInfo(CQvDoc& document) {
    CHardwareInfoDlg dialog(document.GetUi());
    dialog.m_pDescription = &document.Description();
    dialog.m_pVersionStamp = &document.Data().Stamp;
    dialog.m_pSettings = &document.Data().Settings;
    dialog.DoModal();
}

// The block and the calibration record's high-voltage slots (16..19).
void PointHighVoltage(CHighVoltageDlg& dialog, CQvDoc& document) {
    dialog.m_pBlock = &document.Data().Settings.HighVoltage;
    dialog.m_pCalibration = &document.Description().Hv;
}

void RunHighVoltage(CQvDoc& document) {
    CHighVoltageDlg dialog(document.GetUi());
    PointHighVoltage(dialog, document);
    dialog.DoModal();
}

int CaptureHighVoltage(CQvDoc& document) {
    CHighVoltageDlg dialog(document.GetUi());
    PointHighVoltage(dialog, document);
    return dialog.CaptureToBuffer();
}

void RunCountersTimers(CQvDoc& document) {
    CCountersTimersDlg dialog(document.GetUi());
    dialog.m_pBlock = &document.Data().Settings.CountersTimers;
    dialog.DoModal();
}

int CaptureCountersTimers(CQvDoc& document) {
    CCountersTimersDlg editor(document.GetUi());
    editor.m_pBlock = &document.Data().Settings.CountersTimers;
void RunVibrator(CQvDoc& document) {
    CVibratorDlg dialog(document.GetUi());
    dialog.m_pBlock = &document.Data().Settings.Vibrator;
    dialog.m_pCoefficients = &document.Description().Velocity;
    dialog.DoModal();
}

int CaptureVibrator(CQvDoc& document) {
    CVibratorDlg editor(document.GetUi());
    editor.m_pBlock = &document.Data().Settings.Vibrator;
    editor.m_pCoefficients = &document.Description().Velocity;
    return editor.CaptureToBuffer();
}

struct EditorCommand {
    int command;
    void (*run)(CQvDoc&);
};

constexpr EditorCommand kEditors[] = {
    {ID_SET_HIGH_VOLTAGE, RunHighVoltage},
    {ID_SET_ANALOGUE, RunAnalogue},
    {ID_SET_AUX_DAC, RunAuxDac},
    {ID_SET_VIBRATOR, RunVibrator},
    {ID_HARDWARE_INFO, RunHardwareInfo},
    {ID_SET_COUNTERS_TIMERS, RunCountersTimers},
};

const EditorCommand* Find(int command) {
    for (const EditorCommand& editor : kEditors) {
        if (editor.command == command) {
            return &editor;
        }
    }
    return nullptr;
}

}  // namespace

bool DocumentEditors::HasEditor(int command) const {
    return Find(command) != nullptr;
}

void DocumentEditors::RunEditor(int command, CQvDoc& document) {
    if (const EditorCommand* editor = Find(command)) {
        editor->run(document);
    }
}

int DocumentEditors::CaptureToBuffer(CapturedBlock block, CQvDoc& document) {
    switch (block) {
        case CapturedBlock::HighVoltage:
            return CaptureHighVoltage(document);
        case CapturedBlock::CountersTimers:
            return CaptureCountersTimers(document);
        case CapturedBlock::Analogue:
            return CaptureAnalogue(document);
        case CapturedBlock::Vibrator:
            return CaptureVibrator(document);
        default:
            return 1;
    }
}

}  // namespace qv

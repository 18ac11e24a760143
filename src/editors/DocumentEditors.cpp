#include "editors/DocumentEditors.h"

#include "document/CommandIds.h"
#include "document/QvDoc.h"
#include "editors/AnalogueBlockDlg.h"
#include "editors/AuxDacDlg.h"
#include "editors/ClearRunDlg.h"
#include "editors/CountersTimersDlg.h"
#include "editors/HardwareInfoDlg.h"
#include "editors/HighVoltageDlg.h"
#include "editors/HighVoltageVolts.h"
#include "editors/VibratorDlg.h"

namespace qv {

namespace {

// Each editor's borrowed pointers into the document.
void Point(CAnalogueBlockDlg& dialog, CQvDoc& document) {
    dialog.m_pBlock = &document.Data().Settings.Analogue;
    dialog.m_pDescription = &document.Description();
}
void Point(CAuxDacDlg&, CQvDoc&) {}
void Point(CClearRunDlg&, CQvDoc&) {}
void Point(CCountersTimersDlg& dialog, CQvDoc& document) {
    dialog.m_pBlock = &document.Data().Settings.CountersTimers;
}
void Point(CHardwareInfoDlg& dialog, CQvDoc& document) {
    dialog.m_pDescription = &document.Description();
    dialog.m_pVersionStamp = &document.Data().Stamp;
    dialog.m_pSettings = &document.Data().Settings;
}
// The block and the calibration record's high-voltage slots (16..19).
void Point(CHighVoltageDlg& dialog, CQvDoc& document) {
    dialog.m_pBlock = &document.Data().Settings.HighVoltage;
    dialog.m_pCalibration = &document.Description().Hv;
}
void Point(CVibratorDlg& dialog, CQvDoc& document) {
    dialog.m_pBlock = &document.Data().Settings.Vibrator;
    dialog.m_pCoefficients = &document.Description().Velocity;
}

// What each block's capture read beyond the block, for the run log.
void Record(const CAnalogueBlockDlg&, CQvDoc&) {}
void Record(const CCountersTimersDlg& editor, CQvDoc& document) {
    document.Readings().counters = CounterReadings{editor.Qv1Rate,
                                                   editor.Qv2Rate,
                                                   editor.AaLiveTime,
                                                   editor.AaDeadTime,
                                                   editor.Qv1CyclesStart - editor.Qv1CyclesCurrent,
                                                   editor.Qv2CyclesStart - editor.Qv2CyclesCurrent};
    document.Readings().backup = BackupCountdown{editor.BackupPeriod, editor.TillNearest};
}
// The current value in volts under the calibration the capture stores.
void Record(const CHighVoltageDlg& editor, CQvDoc& document) {
    const long double volts = HighVoltageVolts(editor.HvCurrent, document.Description().Hv);
    document.Readings().highVoltage =
        HighVoltageReading{editor.HvCurrent, static_cast<double>(volts)};
}
void Record(const CVibratorDlg& editor, CQvDoc& document) {
    document.Readings().amplitudeCurrent = editor.AmplitudeCurrent;
}

// Built on the stack, run modally, destroyed; the result is not used.
template <typename Editor>
void Run(CQvDoc& document) {
    Editor dialog(document.GetUi());
    Point(dialog, document);
    dialog.DoModal();
}

// An editor that is never shown, for one block of the document's capture.
template <typename Editor>
int Capture(CQvDoc& document) {
    Editor editor(document.GetUi());
    Point(editor, document);
    const int result = editor.CaptureToBuffer();
    if (result == 0) {
        Record(editor, document);
    }
    return result;
}

struct EditorCommand {
    int command;
    void (*run)(CQvDoc&);
};

constexpr EditorCommand kEditors[] = {
    {ID_CLEAR_RUN, Run<CClearRunDlg>},         {ID_SET_COUNTERS_TIMERS, Run<CCountersTimersDlg>},
    {ID_SET_ANALOGUE, Run<CAnalogueBlockDlg>}, {ID_SET_HIGH_VOLTAGE, Run<CHighVoltageDlg>},
    {ID_SET_VIBRATOR, Run<CVibratorDlg>},      {ID_SET_AUX_DAC, Run<CAuxDacDlg>},
    {ID_HARDWARE_INFO, Run<CHardwareInfoDlg>},
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
        case CapturedBlock::CountersTimers:
            return Capture<CCountersTimersDlg>(document);
        case CapturedBlock::Analogue:
            return Capture<CAnalogueBlockDlg>(document);
        case CapturedBlock::HighVoltage:
            return Capture<CHighVoltageDlg>(document);
        case CapturedBlock::Vibrator:
            return Capture<CVibratorDlg>(document);
    }
    return 1;
}

}  // namespace qv

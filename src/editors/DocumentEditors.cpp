#include "editors/DocumentEditors.h"

#include "document/CommandIds.h"
#include "document/QvDoc.h"
#include "editors/AuxDacDlg.h"
#include "editors/HardwareInfoDlg.h"
#include "editors/VibratorDlg.h"

namespace qv {

namespace {

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
    {ID_SET_AUX_DAC, RunAuxDac},
    {ID_SET_VIBRATOR, RunVibrator},
    {ID_HARDWARE_INFO, RunHardwareInfo},
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
        case CapturedBlock::Vibrator:
            return CaptureVibrator(document);
        default:
            return 1;
    }
}

}  // namespace qv

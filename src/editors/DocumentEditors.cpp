#include "editors/DocumentEditors.h"

#include "document/CommandIds.h"
#include "document/QvDoc.h"
#include "editors/AuxDacDlg.h"
#include "editors/ClearRunDlg.h"
#include "editors/HardwareInfoDlg.h"

namespace qv {

namespace {

void RunAuxDac(CQvDoc& document) {
    CAuxDacDlg dialog(document.GetUi());
    dialog.DoModal();
}

void RunClearRun(CQvDoc& document) {
    CClearRunDlg dialog(document.GetUi());
    dialog.DoModal();
}

void RunHardwareInfo(CQvDoc& document) {
    CHardwareInfoDlg dialog(document.GetUi());
    dialog.m_pDescription = &document.Description();
    dialog.m_pVersionStamp = &document.Data().Stamp;
    dialog.m_pSettings = &document.Data().Settings;
    dialog.DoModal();
}

struct EditorCommand {
    int command;
    void (*run)(CQvDoc&);
};

constexpr EditorCommand kEditors[] = {
    {ID_CLEAR_RUN, RunClearRun},
    {ID_SET_AUX_DAC, RunAuxDac},
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

// Each block editor's capture, built unseen on the document's block. A block
// whose editor is not part of this build yet stays as the document holds it.
int DocumentEditors::CaptureToBuffer(CapturedBlock block, CQvDoc&) {
    switch (block) {
        case CapturedBlock::CountersTimers:
        case CapturedBlock::Analogue:
        case CapturedBlock::HighVoltage:
        case CapturedBlock::Vibrator:
            break;
    }
    return 0;
}

}  // namespace qv

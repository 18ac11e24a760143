#include "app/Resources.h"

#include <map>

#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "editors/AnalogueBlockTemplate.h"
#include "editors/AuxDacTemplate.h"
#include "editors/ClearRunTemplate.h"
#include "editors/CountersTimersTemplate.h"
#include "editors/DataRemarkTemplate.h"
#include "editors/HardwareInfoTemplate.h"
#include "editors/HighVoltageTemplate.h"
#include "editors/VibratorTemplate.h"
#include "view/CalibrationTemplate.h"
#include "view/PulseRateTemplate.h"
#include "view/SliderAdjustTemplate.h"

namespace qv {

namespace {

MenuEntry Item(const char* text, int id) {
    return {text, id, {}, false};
}
MenuEntry Separator() {
    return {};
}
MenuEntry Popup(const char* text, std::vector<MenuEntry> items) {
    return {text, 0, std::move(items), false};
}

const std::map<int, std::string>& StringTable() {
    static const std::map<int, std::string> table = {
        {IDR_MAINFRAME, "qv\n\nQv\nQv Files (*.qv)\n.qv\nQv.Document\nQv Document"},
        {AFX_IDS_APP_TITLE, "qv"},
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        // The framework's standard prompts for its own commands.
        {ID_FILE_NEW, "Create a new document\nNew"},
        {ID_FILE_OPEN, "Open an existing document\nOpen"},
        {ID_FILE_SAVE, "Save the active document\nSave"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
        {ID_FILE_MRU_FILE1, "Open this document"},
        {ID_FILE_MRU_FILE1 + 1, "Open this document"},
        {ID_FILE_MRU_FILE1 + 2, "Open this document"},
        {ID_FILE_MRU_FILE1 + 3, "Open this document"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
        {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
        // qv's commands.
        {ID_DATA_REMARK, "Edit data file remarks\nData remark"},
        {ID_TOGGLE_ZOOM, "Toggle view zoom\nToggle zoom"},
        {ID_SET_ANALOGUE, "Set Analogue Block Parameters\nSet ABP"},
        {ID_SET_HIGH_VOLTAGE, "Set High Voltage\nSet HV"},
        {ID_SET_VIBRATOR, "Set Vibrator Parameters, load reference\nSet VBP,ref"},
        {ID_SET_AUX_DAC, "Set Auxiliary bytes and DAC8\nSet AuxDac"},
        {ID_SET_COUNTERS_TIMERS, "Set General counters & timers\nSet GCT"},
        {ID_CLEAR_RUN, "Start/stop, clear memories\nClear/count"},
        {ID_REFRESH, "Refresh from hardware\nRefresh from hardware"},
        {ID_AUTO_REFRESH, "Start/stop autoRefresh from hardware\nStart/stop autoRefresh"},
        {ID_MEASURE_DATA,
         "Measure Data (Hold mouse R/L key to move cursor)\nMeasure Data (Hold mouse R/L key to "
         "move cursor)"},
        {ID_SLIDER_ADJUST, "Statistical analysis of two peeks\nSliderAdjust"},
        {ID_AUTO_SAVE, "AutoSave at period: SetGCT.BackUp\nPeriodical AutoSave"},
        {ID_FILE_EXPORT, "Save data in Pelmix format\nSave in Pelmix format"},
        {ID_HARDWARE_INFO, "Display hardware parameters\nHardware parameters"},
        {ID_PULSE_RATE, "Scallers large display\nScallers large display"},
        {ID_CALIBRATE,
         "Calibrate the velocity scale on an \u03b1-iron spectrum\nCalibrate on \u03b1-iron"},
        {ID_VELOCITY_SPECTRUM,
         "Show the folded spectrum against velocity in mm/s\nVelocity spectrum"},
        {ID_RUN_JOB, "Run a job file in this document, with its progress\nRun Job"},
    };
    return table;
}

std::string Part(int command, bool tooltip) {
    const std::string text = LoadString(command);
    const auto newline = text.find('\n');
    if (newline == std::string::npos) {
        return tooltip ? std::string() : text;
    }
    return tooltip ? text.substr(newline + 1) : text.substr(0, newline);
}

}  // namespace

const std::vector<MenuEntry>& MainMenu() {
    static const std::vector<MenuEntry> menu = {
        Popup("&File", {Item("&New\tCtrl+N", ID_FILE_NEW), Item("&Open...\tCtrl+O", ID_FILE_OPEN),
                        Item("&Save\tCtrl+S", ID_FILE_SAVE), Item("Save &As...", ID_FILE_SAVE_AS),
                        Item("&Export", ID_FILE_EXPORT), Item("Run &Job...", ID_RUN_JOB),
                        Separator(), MenuEntry{"Recent File", ID_FILE_MRU_FILE1, {}, true},
                        Separator(), Item("E&xit", ID_APP_EXIT)}),
        Popup(
            "&Settings",
            {Item("Clear, &start/stop Counters", ID_CLEAR_RUN),
             Item("Set &Counters Timers", ID_SET_COUNTERS_TIMERS),
             Item("Set &Analogue block", ID_SET_ANALOGUE),
             Item("Set &High voltage", ID_SET_HIGH_VOLTAGE), Item("Set &Vibrator", ID_SET_VIBRATOR),
             Item("Set Auxiliary bytes, &DAC", ID_SET_AUX_DAC),
             Item("Hardware &info", ID_HARDWARE_INFO), Item("Qv &Pulses/sec", ID_PULSE_RATE)}),
        Popup("&View", {Item("&Toolbar", ID_VIEW_TOOLBAR), Item("&Status Bar", ID_VIEW_STATUS_BAR),
                        Separator(), Item("Data&Remark", ID_DATA_REMARK),
                        Item("&Measure Data", ID_MEASURE_DATA),
                        Item("&Velocity spectrum", ID_VELOCITY_SPECTRUM)}),
        Popup("&Help", {Item("&About qv...", ID_APP_ABOUT)}),
        Popup("Se&rvice", {Item("&Slider Adjust", ID_SLIDER_ADJUST),
                           Item("&Calibrate on \u03b1-iron", ID_CALIBRATE)}),
    };
    return menu;
}

const std::vector<Accelerator>& MainAccelerators() {
    static const std::vector<Accelerator> accelerators = {
        {kCtrl, 'N', ID_FILE_NEW},           {kCtrl, 'O', ID_FILE_OPEN},
        {kCtrl, 'S', ID_FILE_SAVE},          {kCtrl, 'Z', ID_EDIT_UNDO},
        {kAlt, kKeyBackspace, ID_EDIT_UNDO}, {kCtrl, 'X', ID_EDIT_CUT},
        {kShift, kKeyDelete, ID_EDIT_CUT},   {kCtrl, 'C', ID_EDIT_COPY},
        {kCtrl, kKeyInsert, ID_EDIT_COPY},   {kCtrl, 'V', ID_EDIT_PASTE},
        {kShift, kKeyInsert, ID_EDIT_PASTE}, {0, kKeyF6, ID_NEXT_PANE},
        {kShift, kKeyF6, ID_PREV_PANE},
    };
    return accelerators;
}

const std::vector<int>& MainToolbar() {
    static const std::vector<int> toolbar = {
        ID_FILE_NEW, ID_FILE_OPEN,    ID_FILE_SAVE,         ID_AUTO_SAVE,
        0,           ID_EDIT_CUT,     ID_EDIT_COPY,         ID_EDIT_PASTE,
        0,           ID_DATA_REMARK,  ID_MEASURE_DATA,      ID_TOGGLE_ZOOM,
        ID_REFRESH,  ID_AUTO_REFRESH, ID_VELOCITY_SPECTRUM, ID_APP_ABOUT,
    };
    return toolbar;
}

std::string LoadString(int id) {
    const auto& table = StringTable();
    const auto it = table.find(id);
    return it == table.end() ? std::string() : it->second;
}

std::string StatusPrompt(int command) {
    return Part(command, false);
}
std::string Tooltip(int command) {
    return Part(command, true);
}

const std::vector<const DialogTemplate*>& AllDialogTemplates() {
    static const std::vector<const DialogTemplate*> templates = {
        &AboutDialogTemplate(),    &DataRemarkTemplate(), &AnalogueBlockTemplate(),
        &HighVoltageTemplate(),    &VibratorTemplate(),   &AuxDacTemplate(),
        &CountersTimersTemplate(), &ClearRunTemplate(),   &SliderAdjustTemplate(),
        &HardwareInfoTemplate(),   &PulseRateTemplate(),  &CalibrationTemplate(),
    };
    return templates;
}

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate* t : AllDialogTemplates()) {
        if (t->id == id) {
            return t;
        }
    }
    return nullptr;
}

}  // namespace qv

#include "jobs/JobBlocks.h"

#include <cstdio>
#include <cstdlib>

#include "document/CommandIds.h"
#include "editors/AnalogueBlockDlg.h"
#include "editors/AnalogueBlockTemplate.h"
#include "editors/AuxDacDlg.h"
#include "editors/AuxDacTemplate.h"
#include "editors/ClearRunDlg.h"
#include "editors/ClearRunTemplate.h"
#include "editors/CountersTimersDlg.h"
#include "editors/CountersTimersTemplate.h"
#include "editors/HardwareInfoDlg.h"
#include "editors/HardwareInfoTemplate.h"
#include "editors/HighVoltageDlg.h"
#include "editors/HighVoltageTemplate.h"
#include "editors/VibratorDlg.h"
#include "editors/VibratorTemplate.h"

namespace qv::jobs {

namespace {

constexpr BlockField kAnalogueFields[] = {
    {"Gain", IDC_GAIN},
    {"Invert", IDC_INVERT},
    {"SignalTau", IDC_SIGNAL_TAU},
    {"TriggerTau", IDC_TRIGGER_TAU},
    {"InputSelect", IDC_INPUT_A},
    {"TestOut", IDC_TESTOUT_0},
    {"TriggerLevel", IDC_TRIGGER_LEVEL},
    {"PileOnFrontRejection", IDC_PILE_ON_FRONT},
    {"DTimMode", IDC_DTIM_MODE},
    {"AmpAnalUpLimit", IDC_AMPANAL_UP},
    {"SnglChnlUpLimit", IDC_SNGLCHNL_UP},
    {"SnglChnlLowLimit", IDC_SNGLCHNL_LOW},
    {"AmpAnalLowLimit", IDC_AMPANAL_LOW},
    {"BaseCaptureDelay", IDC_BASE_DELAY},
    {"PeakCaptureDelay", IDC_PEAK_DELAY},
    {"PileOnTileRejection", IDC_PILE_ON_TILE},
};

constexpr BlockField kHighVoltageFields[] = {
    {"HvCurrent", IDC_HV_CURRENT},
    {"HvDesired", IDC_HV_DESIRED},
    {"HvSpeed", IDC_HV_SPEED},
    {"Volts", IDC_HV_VOLTS},
};

constexpr BlockField kAuxDacFields[] = {
    {"Aux0", IDC_AUX0}, {"Aux1", IDC_AUX1}, {"Aux2", IDC_AUX2},
    {"Aux3", IDC_AUX3}, {"Aux4", IDC_AUX4}, {"Dac8", IDC_DAC8},
};

constexpr BlockField kVibratorFields[] = {
    {"GainCurrent", IDC_GAIN_CURRENT},
    {"GainDesired", IDC_GAIN_DESIRED},
    {"GainSpeed", IDC_GAIN_SPEED},
    {"AmplitudeCurrent", IDC_AMPLITUDE_CURRENT},
    {"AmplitudeDesired", IDC_AMPLITUDE_DESIRED},
    {"AmplitudeSpeed", IDC_AMPLITUDE_SPEED},
    {"HighRange", IDC_HIGH_RANGE},
    {"BiasCurrent", IDC_BIAS_CURRENT},
    {"BiasDesired", IDC_BIAS_DESIRED},
    {"BiasSpeed", IDC_BIAS_SPEED},
    {"K", IDC_DIVIDER_K},
    {"L", IDC_DIVIDER_L},
    {"Frequency", IDC_FREQUENCY},
    {"Velocity", IDC_VELOCITY},
    {"RoundingScope", IDC_ROUNDING_SCOPE},
};

constexpr BlockField kCountersFields[] = {
    {"SwitchState", IDC_CT_SWITCH_STATE},
    {"DeltaStopsCounting", IDC_CT_DELTA_STOPS},
    {"ClearSwitch", IDC_CT_CLEAR_SWITCH},
    {"DeltaFlag", IDC_CT_DELTA_FLAG},
    {"SecondsSinceDelta", IDC_CT_SINCE_DELTA},
    {"SetUniversalTime", IDC_CT_SET_UNIVERSAL},
    {"UniversalTime", IDC_CT_UNIVERSAL_TIME},
    {"BackupPeriod", IDC_CT_BACKUP_PERIOD},
    {"RestartBackup", IDC_CT_RESTART_BACKUP},
    {"TillNearest", IDC_CT_TILL_NEAREST},
    {"ZeroLiveDead", IDC_CT_ZERO_LIVE_DEAD},
    {"AaLiveTime", IDC_CT_LIVE_TIME},
    {"AaDeadTime", IDC_CT_DEAD_TIME},
    {"DeadTimePercent", IDC_CT_DEAD_PERCENT},
    {"Qv2Source", IDC_CT_QV2_AUX},
    {"Qv2Rate", IDC_CT_QV2_RATE},
    {"SetQv2Cycles", IDC_CT_SET_QV2},
    {"Qv2CyclesStart", IDC_CT_QV2_START},
    {"Qv2CyclesCurrent", IDC_CT_QV2_CURRENT},
    {"Qv1Source", IDC_CT_QV1_AUX},
    {"Qv1Rate", IDC_CT_QV1_RATE},
    {"SetQv1Cycles", IDC_CT_SET_QV1},
    {"Qv1CyclesStart", IDC_CT_QV1_START},
    {"Qv1CyclesCurrent", IDC_CT_QV1_CURRENT},
    {"ULock", IDC_CT_ULOCK},
    {"AaStopTimeBase", IDC_CT_AA_UNIVERSAL_BASE},
    {"SetAaSeconds", IDC_CT_SET_AA},
    {"AaSecondsStart", IDC_CT_AA_START},
    {"AaSecondsCurrent", IDC_CT_AA_CURRENT},
};

constexpr BlockField kInfoFields[] = {
    {"Version1", IDC_INFO_VERSION1},
    {"Version2", IDC_INFO_VERSION2},
    {"Version3", IDC_INFO_VERSION3},
    {"HvSlope", IDC_INFO_HV_SLOPE},
    {"HvOffset", IDC_INFO_HV_OFFSET},
    {"HvLowerLimit", IDC_INFO_HV_LOWER},
    {"HvUpperLimit", IDC_INFO_HV_UPPER},
    {"VelocityCoefHigh", IDC_INFO_VELOCITY_HIGH},
    {"VelocityCoefLow", IDC_INFO_VELOCITY_LOW},
};

constexpr BlockField kRunFields[] = {
    {"ClearQv2", IDC_CLEAR_QV2},        {"ClearQv1", IDC_CLEAR_QV1},
    {"ClearAa", IDC_CLEAR_AA},          {"EnableGoQv2", IDC_ENABLE_GO_QV2},
    {"EnableGoQv1", IDC_ENABLE_GO_QV1}, {"EnableGoAa", IDC_ENABLE_GO_AA},
    {"Qv2Count", IDC_COUNT_QV2},        {"Qv1Count", IDC_COUNT_QV1},
    {"AaCount", IDC_COUNT_AA},          {"ULock", IDC_RUN_ULOCK},
};

std::string Hex(const std::uint8_t* bytes, std::size_t count) {
    std::string hex;
    char pair[3];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        hex += pair;
    }
    return hex;
}

template <typename Editor>
std::string ImageOf(const CDialog& editor) {
    const auto& image = dynamic_cast<const Editor&>(editor).Image();
    return Hex(image.data(), image.size());
}

template <>
std::string ImageOf<CAuxDacDlg>(const CDialog& editor) {
    const AuxDacImage& image = dynamic_cast<const CAuxDacDlg&>(editor).Image();
    return Hex(image.aux.data(), image.aux.size()) + Hex(&image.dac, 1);
}

std::string RunStateImage(const CDialog& editor) {
    const auto& state = dynamic_cast<const CClearRunDlg&>(editor).RunState();
    return Hex(state.data(), state.size());
}

std::string NoImage(const CDialog&) {
    return {};
}

const JobBlock kBlocks[] = {
    {"analogue", ID_SET_ANALOGUE, AnalogueBlockTemplate, kAnalogueFields, IDC_ANALOGUE_TO_HARDWARE,
     ImageOf<CAnalogueBlockDlg>},
    {"hv", ID_SET_HIGH_VOLTAGE, HighVoltageTemplate, kHighVoltageFields, IDC_HV_TO_HARDWARE,
     ImageOf<CHighVoltageDlg>},
    {"aux", ID_SET_AUX_DAC, AuxDacTemplate, kAuxDacFields, IDC_AUX_TO_HARDWARE,
     ImageOf<CAuxDacDlg>},
    {"vibrator", ID_SET_VIBRATOR, VibratorTemplate, kVibratorFields, IDC_VIB_TO_HARDWARE,
     ImageOf<CVibratorDlg>},
    {"counters", ID_SET_COUNTERS_TIMERS, CountersTimersTemplate, kCountersFields,
     IDC_CT_TO_HARDWARE, ImageOf<CCountersTimersDlg>},
    {"info", ID_HARDWARE_INFO, HardwareInfoTemplate, kInfoFields, 0, NoImage},
    {"run", ID_CLEAR_RUN, ClearRunTemplate, kRunFields, 0, RunStateImage},
};

// A whole number or a number with a fraction, as the box shows it.
std::optional<nlohmann::ordered_json> Number(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const char* start = text.c_str() + first;
    char* end = nullptr;
    const long long whole = std::strtoll(start, &end, 10);
    if (*end == '\0') {
        return nlohmann::ordered_json(whole);
    }
    const double real = std::strtod(start, &end);
    if (*end == '\0') {
        return nlohmann::ordered_json(real);
    }
    return std::nullopt;
}

}  // namespace

const JobBlock* FindJobBlock(const std::string& name) {
    for (const JobBlock& block : kBlocks) {
        if (name == block.name) {
            return &block;
        }
    }
    return nullptr;
}

std::string JobBlockNames() {
    std::string names;
    for (const JobBlock& block : kBlocks) {
        names += (names.empty() ? "" : ", ") + std::string(block.name);
    }
    return names;
}

const BlockField* FindBlockField(const JobBlock& block, const std::string& name) {
    for (const BlockField& field : block.fields) {
        if (name == field.name) {
            return &field;
        }
    }
    return nullptr;
}

nlohmann::ordered_json FieldValue(const CDialog& editor, const BlockField& field) {
    const ControlTemplate* control = editor.Template().Find(field.control);
    switch (control->kind) {
        case ControlKind::CheckBox:
            return editor.IsDlgButtonChecked(field.control);
        case ControlKind::RadioButton: {
            const std::vector<int> group = editor.Template().RadioGroup(field.control);
            for (std::size_t i = 0; i < group.size(); ++i) {
                if (editor.IsDlgButtonChecked(group[i]) != 0) {
                    return static_cast<int>(i);
                }
            }
            return -1;
        }
        default: {
            const std::string text = editor.GetDlgItemText(field.control);
            return Number(text).value_or(nlohmann::ordered_json(text));
        }
    }
}

nlohmann::ordered_json FieldValues(const CDialog& editor, const JobBlock& block) {
    nlohmann::ordered_json fields = nlohmann::ordered_json::object();
    for (const BlockField& field : block.fields) {
        fields[field.name] = FieldValue(editor, field);
    }
    return fields;
}

std::string EditorStatus(const CDialog& editor) {
    if (const auto* setting = dynamic_cast<const CSettingEditorDlg*>(&editor)) {
        return setting->StatusText();
    }
    if (const auto* run = dynamic_cast<const CClearRunDlg*>(&editor)) {
        return run->m_strStatus;
    }
    return {};
}

int EditorError(const CDialog& editor) {
    if (const auto* setting = dynamic_cast<const CSettingEditorDlg*>(&editor)) {
        return setting->LastError();
    }
    if (const auto* run = dynamic_cast<const CClearRunDlg*>(&editor)) {
        return run->LastError();
    }
    return 0;
}

std::string FieldRefusal(const JobBlock& block, const BlockField& field) {
    if (block.toHardware == 0) {
        return std::string("the ") + block.name + " block cannot be set";
    }
    const ControlTemplate* control = block.dialogTemplate().Find(field.control);
    if (control->kind == ControlKind::ReadOnlyEdit || control->kind == ControlKind::StaticText ||
        (control->style & kDisabled) != 0) {
        return std::string(field.name) + " is shown only: its box takes no input";
    }
    return {};
}

}  // namespace qv::jobs

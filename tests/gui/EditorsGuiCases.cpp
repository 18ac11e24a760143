#include "EditorsGuiCases.h"

#include "app/CommandIds.h"
#include "editors/AuxDacTemplate.h"
#include "editors/CountersTimersTemplate.h"
#include "editors/HardwareInfoTemplate.h"
#include "editors/HighVoltageTemplate.h"
#include "editors/VibratorTemplate.h"

namespace qv::test {

void PlayAnalogueBlock(EditorDriver& d);  // EditorsGuiCaseAnalogue.cpp

namespace {

void PlayAuxDac(EditorDriver& d) {
    d.Check(d.Caption() == "Auxiliary bytes, DAC8bit", "aux/DAC caption");
    d.CheckText(IDC_AUX_STATUS, "notLocked", "aux/DAC status after opening");
    d.Type(IDC_AUX1, "77");
    d.Type(IDC_DAC8, "201");
    d.Click(IDC_AUX_TO_HARDWARE);
    d.Type(IDC_AUX1, "0");  // the read-back must replace what is typed
    d.Type(IDC_DAC8, "0");
    d.Click(IDC_AUX_FROM_HARDWARE);
    d.CheckText(IDC_AUX1, "77", "aux byte 1 read back from the card");
    d.CheckText(IDC_DAC8, "201", "DAC read back from the card");
}

void PlayHardwareInfo(EditorDriver& d) {
    d.Check(d.Caption() == "Hardware info", "hardware info caption");
    d.CheckText(IDC_INFO_HV_SLOPE, "1.4067", "HV slope from qv.hdw");
    d.CheckText(IDC_INFO_VELOCITY_HIGH, "0.106", "high-range velocity coefficient from qv.hdw");
    d.Click(IDC_INFO_FROM_BUFFER);
    d.CheckText(IDC_INFO_HV_SLOPE, "0", "HV slope of a never captured measurement");
}

// data/qv.hdw holds the default calibration: 300 gives 390.4 V.
void PlayHighVoltage(EditorDriver& d) {
    d.Check(d.Caption() == "High Voltage", "high voltage caption");
    d.CheckText(IDC_HV_STATUS, "notLocked", "high voltage status after opening");
    d.Check(!d.Enabled(IDC_HV_TO_BUFFER), "high voltage --> Buffer disabled");
    d.Type(IDC_HV_DESIRED, "300");
    d.Type(IDC_HV_SPEED, "15");
    d.Click(IDC_HV_TO_HARDWARE);
    d.Type(IDC_HV_DESIRED, "0");
    d.Click(IDC_HV_FROM_HARDWARE);
    d.CheckText(IDC_HV_DESIRED, "300", "high voltage desired value read back from the card");
    d.CheckText(IDC_HV_SPEED, "15", "high voltage speed read back from the card");
    d.CheckText(IDC_HV_VOLTS, " 390.4", "volts of the desired value read back");
}

// The period and a start value go to the card without a "Set"; the read-back
// replaces what is typed afterwards.
void PlayCountersTimers(EditorDriver& d) {
    d.Check(d.Caption() == "General Counters&Timers - setup", "counters caption");
    d.CheckText(IDC_CT_STATUS, "notLocked", "counters status after opening");
    d.Check(!d.Enabled(IDC_CT_TO_BUFFER), "counters --> Buffer disabled");
    d.Type(IDC_CT_BACKUP_PERIOD, "45");
    d.Type(IDC_CT_QV1_START, "1234");
    d.Click(IDC_CT_TO_HARDWARE);
    d.Type(IDC_CT_BACKUP_PERIOD, "77");
    d.Type(IDC_CT_QV1_START, "99");
    d.Click(IDC_CT_FROM_HARDWARE);
    d.CheckText(IDC_CT_BACKUP_PERIOD, "45", "backup period read back from the card");
    d.CheckText(IDC_CT_QV1_START, "1234", "Qv1 start value read back from the card");
    d.Click(IDC_CT_QV2_MAX);
    d.CheckText(IDC_CT_QV2_START, "4294967295", "Qv2 \"max\"");
}

void PlayVibrator(EditorDriver& d) {
    d.Check(d.Caption() == "Vibrator Parameters", "vibrator caption");
    d.CheckText(IDC_VIB_STATUS, "notLocked", "vibrator status after opening");
    d.CheckText(IDC_FREQUENCY, "5.72205", "frequency of the card's dividers");
    d.Type(IDC_AMPLITUDE_DESIRED, "300");
    d.Type(IDC_BIAS_DESIRED, "-100");
    d.Type(IDC_DIVIDER_K, "3");
    d.Type(IDC_DIVIDER_L, "255");
    d.Click(IDC_VIB_TO_HARDWARE);
    d.Type(IDC_AMPLITUDE_DESIRED, "0");  // the read-back must replace what is typed
    d.Type(IDC_DIVIDER_L, "0");
    d.Click(IDC_VIB_FROM_HARDWARE);
    d.CheckText(IDC_AMPLITUDE_DESIRED, "300", "amplitude read back from the card");
    d.CheckText(IDC_BIAS_DESIRED, "-100", "bias read back from the card");
    d.CheckText(IDC_FREQUENCY, "52.3158", "frequency of the written dividers");
    d.Type(IDC_ROUNDING_SCOPE, "3000");
    d.Click(IDC_REFERENCE_COSINE);
    d.CheckText(IDC_ROUNDING_SCOPE, "2047", "cosine reference sent with the scope clamped");
    d.CheckText(IDC_VIB_STATUS, "notLocked", "lock check after the reference");
}

}  // namespace

const std::vector<EditorCase>& EditorCases() {
    static const std::vector<EditorCase> cases = {
        {"analogue block", ID_SET_ANALOGUE, "analogue-block.png", PlayAnalogueBlock},
        {"aux/DAC", ID_SET_AUX_DAC, "aux-dac.png", PlayAuxDac},
        {"hardware info", ID_HARDWARE_INFO, "hardware-info.png", PlayHardwareInfo},
        {"high voltage", ID_SET_HIGH_VOLTAGE, "high-voltage.png", PlayHighVoltage},
        {"counters and timers", ID_SET_COUNTERS_TIMERS, "counters-timers.png", PlayCountersTimers},
        {"vibrator", ID_SET_VIBRATOR, "vibrator.png", PlayVibrator},
    };
    return cases;
}

}  // namespace qv::test

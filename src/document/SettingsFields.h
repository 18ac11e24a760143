#pragma once

#include "document/HardwareDescription.h"
#include "document/SettingsBlocks.h"

namespace qv {

// Name-and-value walks over the blocks, in slot order, for tools and summaries.
// The visitor is called as visit("FieldName", value) with the field's own type.

template <typename Visit>
void VisitFields(const CountersTimersBlock& b, Visit&& visit) {
    visit("Qv2Source", b.Qv2Source);
    visit("Qv2CyclesStart", b.Qv2CyclesStart);
    visit("Qv1Source", b.Qv1Source);
    visit("Qv1CyclesStart", b.Qv1CyclesStart);
    visit("AaStopTimeBase", b.AaStopTimeBase);
    visit("AaSecondsStart", b.AaSecondsStart);
    visit("SecondsSinceDelta", b.SecondsSinceDelta);
    visit("UniversalTime", b.UniversalTime);
    visit("Qv2CyclesCurrent", b.Qv2CyclesCurrent);
    visit("Qv1CyclesCurrent", b.Qv1CyclesCurrent);
    visit("AaSecondsCurrent", b.AaSecondsCurrent);
    visit("AaLiveTime", b.AaLiveTime);
    visit("AaDeadTime", b.AaDeadTime);
}

template <typename Visit>
void VisitFields(const AnalogueBlock& b, Visit&& visit) {
    visit("InputSelect", b.InputSelect);
    visit("Gain", b.Gain);
    visit("Invert", b.Invert);
    visit("SignalTau", b.SignalTau);
    visit("TriggerTau", b.TriggerTau);
    visit("PileOnFrontRejection", b.PileOnFrontRejection);
    visit("TriggerLevel", b.TriggerLevel);
    visit("AmpAnalUpLimit", b.AmpAnalUpLimit);
    visit("AmpAnalLowLimit", b.AmpAnalLowLimit);
    visit("SnglChnlUpLimit", b.SnglChnlUpLimit);
    visit("SnglChnlLowLimit", b.SnglChnlLowLimit);
    visit("BaseCaptureDelay", b.BaseCaptureDelay);
    visit("PeakCaptureDelay", b.PeakCaptureDelay);
    visit("PileOnTileRejection", b.PileOnTileRejection);
    visit("DTimMode", b.DTimMode);
}

template <typename Visit>
void VisitFields(const HvCalibration& c, Visit&& visit) {
    visit("HvUpperLimit", c.HvUpperLimit);
    visit("HvLowerLimit", c.HvLowerLimit);
    visit("HvSlope", c.HvSlope);
    visit("HvOffset", c.HvOffset);
}

template <typename Visit>
void VisitFields(const HighVoltageBlock& b, Visit&& visit) {
    visit("HvDesired", b.HvDesired);
    visit("HvUpperLimit", b.HvUpperLimit);
    visit("HvLowerLimit", b.HvLowerLimit);
    visit("HvSlope", b.HvSlope);
    visit("HvOffset", b.HvOffset);
}

template <typename Visit>
void VisitFields(const VibratorBlock& b, Visit&& visit) {
    visit("GainDesired", b.GainDesired);
    visit("AmplitudeDesired", b.AmplitudeDesired);
    visit("HighRange", b.HighRange);
    visit("VelocityCoefHigh", b.VelocityCoefHigh);
    visit("VelocityCoefLow", b.VelocityCoefLow);
    visit("BiasDesired", b.BiasDesired);
    visit("K", b.K);
    visit("L", b.L);
}

// The named values of the hardware description file, in file order (the port
// base, item 4, is not part of the record).
template <typename Visit>
void VisitFields(const HardwareDescription& d, Visit&& visit) {
    visit("HardwareVersion1", d.HardwareVersion1);
    visit("HardwareVersion2", d.HardwareVersion2);
    visit("HardwareVersion3", d.HardwareVersion3);
    static const char* const kPresetNames[4][3] = {
        {"AutoPresets1.BaseCaptureDelay", "AutoPresets1.PeakCaptureDelay",
         "AutoPresets1.PileOnTileRejection"},
        {"AutoPresets2.BaseCaptureDelay", "AutoPresets2.PeakCaptureDelay",
         "AutoPresets2.PileOnTileRejection"},
        {"AutoPresets3.BaseCaptureDelay", "AutoPresets3.PeakCaptureDelay",
         "AutoPresets3.PileOnTileRejection"},
        {"AutoPresets4.BaseCaptureDelay", "AutoPresets4.PeakCaptureDelay",
         "AutoPresets4.PileOnTileRejection"}};
    for (int i = 0; i < 4; ++i) {
        visit(kPresetNames[i][0], d.AutoPresets[i].BaseCaptureDelay);
        visit(kPresetNames[i][1], d.AutoPresets[i].PeakCaptureDelay);
        visit(kPresetNames[i][2], d.AutoPresets[i].PileOnTileRejection);
    }
    VisitFields(d.Hv, visit);
    visit("ReservedValue", d.ReservedValue);
    visit("VelocityCoefHigh", d.Velocity.VelocityCoefHigh);
    visit("VelocityCoefLow", d.Velocity.VelocityCoefLow);
}

}  // namespace qv

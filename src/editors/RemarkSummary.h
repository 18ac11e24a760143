#pragma once

#include <cstdint>
#include <string>

#include "document/SettingsBlocks.h"

namespace qv {

// What the data remark panel shows of a measurement's settings image: how long
// and how far the run went, and the main analogue, high-voltage and vibrator
// settings, as they were captured (never the live hardware).
struct RemarkSummary {
    std::int32_t SwitchSeconds = 0;  // seconds since delta
    std::string SwitchDuration;
    std::int32_t UniversalSeconds = 0;
    std::string UniversalDuration;
    std::int32_t LiveSeconds = 0;
    std::string LiveDuration;
    std::int32_t DeadSeconds = 0;
    std::string DeadDuration;
    std::int32_t TotalSeconds = 0;  // live + dead
    std::string TotalDuration;
    std::uint32_t Qv2Cycles = 0;  // start - current, modulo 2^32
    std::uint32_t Qv1Cycles = 0;
    std::int32_t Gain = 0;
    std::int32_t SignalTau = 0;
    std::int32_t SnglChnlUpLimit = 0;
    std::int32_t SnglChnlLowLimit = 0;
    std::string HighVoltage;
    std::string Velocity;
    float Frequency = 0;
};

RemarkSummary SummariseSettings(const SettingsImage& settings);

// Every box of the summary as the panel shows it, in the panel's reading
// order: visit("Name", "text").
template <typename Visit>
void VisitTexts(const RemarkSummary& s, Visit&& visit);

// "%3d-%02d:%02d:%02ld": days, hours, minutes, seconds, truncating toward zero.
std::string DurationText(std::int32_t seconds);
// The desired value within the stored limits, in volts with the stored
// calibration: "%6.1f".
std::string HighVoltageText(const HighVoltageBlock& hv);
// "%c/%4d --> %7.3f": range letter, amplitude, amplitude times the stored
// coefficient of that range.
std::string VelocityText(const VibratorBlock& vibrator);
// 24e6 / ((8 (K + 1) + 24) (256 - L) 8192) Hz.
float DriveFrequency(const VibratorBlock& vibrator);

// The panel's own text forms of the numbers.
std::string SummaryText(std::int32_t value);
std::string SummaryText(std::uint32_t value);
std::string SummaryText(float value);

template <typename Visit>
void VisitTexts(const RemarkSummary& s, Visit&& visit) {
    visit("SwitchSeconds", SummaryText(s.SwitchSeconds));
    visit("SwitchDuration", s.SwitchDuration);
    visit("UniversalSeconds", SummaryText(s.UniversalSeconds));
    visit("UniversalDuration", s.UniversalDuration);
    visit("LiveSeconds", SummaryText(s.LiveSeconds));
    visit("LiveDuration", s.LiveDuration);
    visit("DeadSeconds", SummaryText(s.DeadSeconds));
    visit("DeadDuration", s.DeadDuration);
    visit("TotalSeconds", SummaryText(s.TotalSeconds));
    visit("TotalDuration", s.TotalDuration);
    visit("Qv2Cycles", SummaryText(s.Qv2Cycles));
    visit("Qv1Cycles", SummaryText(s.Qv1Cycles));
    visit("Gain", SummaryText(s.Gain));
    visit("SigTau", SummaryText(s.SignalTau));
    visit("SchUp", SummaryText(s.SnglChnlUpLimit));
    visit("SchLow", SummaryText(s.SnglChnlLowLimit));
    visit("HighVoltage", s.HighVoltage);
    visit("Velocity", s.Velocity);
    visit("Frequency", SummaryText(s.Frequency));
}

}  // namespace qv

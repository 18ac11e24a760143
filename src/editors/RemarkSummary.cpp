#include "editors/RemarkSummary.h"

#include <cstdio>

#include "framework/NumberText.h"

namespace qv {

namespace {

constexpr std::int32_t kSecondsPerDay = 86400;
constexpr std::int32_t kSecondsPerHour = 3600;
constexpr std::int32_t kSecondsPerMinute = 60;

// Sums and differences of the card's counters wrap as the counters do.
std::int32_t WrappingSum(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

}  // namespace

std::string DurationText(std::int32_t seconds) {
    const std::int32_t days = seconds / kSecondsPerDay;
    const std::int32_t inDay = seconds % kSecondsPerDay;
    const std::int32_t hours = inDay / kSecondsPerHour;
    const std::int32_t minutes = inDay % kSecondsPerHour / kSecondsPerMinute;
    const long rest = inDay % kSecondsPerHour % kSecondsPerMinute;
    char text[48];
    std::snprintf(text, sizeof text, "%3d-%02d:%02d:%02ld", days, hours, minutes, rest);
    return text;
}

std::string HighVoltageText(const HighVoltageBlock& hv) {
    std::int32_t n = hv.HvDesired;
    if (n < hv.HvLowerLimit) {
        n = hv.HvLowerLimit;
    }
    if (n > hv.HvUpperLimit) {
        n = hv.HvUpperLimit;
    }
    const float volts = static_cast<float>(n) * hv.HvSlope + hv.HvOffset;
    char text[64];
    std::snprintf(text, sizeof text, "%6.1f", static_cast<double>(volts));
    return text;
}

std::string VelocityText(const VibratorBlock& vibrator) {
    const bool high = vibrator.HighRange != 0;
    const float coefficient = high ? vibrator.VelocityCoefHigh : vibrator.VelocityCoefLow;
    const float velocity = static_cast<float>(vibrator.AmplitudeDesired) * coefficient;
    char text[96];
    std::snprintf(text, sizeof text, "%c/%4d --> %7.3f", high ? 'H' : 'L',
                  vibrator.AmplitudeDesired, static_cast<double>(velocity));
    return text;
}

float DriveFrequency(const VibratorBlock& vibrator) {
    const double k = vibrator.K;
    const double l = vibrator.L;
    return static_cast<float>(24000000.0 / ((8.0 * (k + 1.0) + 24.0) * (256.0 - l) * 8192.0));
}

std::string SummaryText(std::int32_t value) {
    return std::to_string(value);
}

std::string SummaryText(std::uint32_t value) {
    return std::to_string(value);
}

std::string SummaryText(float value) {
    return FormatFloat(value);
}

RemarkSummary SummariseSettings(const SettingsImage& settings) {
    const CountersTimersBlock& c = settings.CountersTimers;
    const AnalogueBlock& a = settings.Analogue;
    RemarkSummary s;
    s.SwitchSeconds = c.SecondsSinceDelta;
    s.SwitchDuration = DurationText(c.SecondsSinceDelta);
    s.UniversalSeconds = c.UniversalTime;
    s.UniversalDuration = DurationText(c.UniversalTime);
    s.LiveSeconds = c.AaLiveTime;
    s.LiveDuration = DurationText(c.AaLiveTime);
    s.DeadSeconds = c.AaDeadTime;
    s.DeadDuration = DurationText(c.AaDeadTime);
    s.TotalSeconds = WrappingSum(c.AaLiveTime, c.AaDeadTime);
    s.TotalDuration = DurationText(s.TotalSeconds);
    s.Qv2Cycles = c.Qv2CyclesStart - c.Qv2CyclesCurrent;
    s.Qv1Cycles = c.Qv1CyclesStart - c.Qv1CyclesCurrent;
    s.Gain = a.Gain;
    s.SignalTau = a.SignalTau;
    s.SnglChnlUpLimit = a.SnglChnlUpLimit;
    s.SnglChnlLowLimit = a.SnglChnlLowLimit;
    s.HighVoltage = HighVoltageText(settings.HighVoltage);
    s.Velocity = VelocityText(settings.Vibrator);
    s.Frequency = DriveFrequency(settings.Vibrator);
    return s;
}

}  // namespace qv

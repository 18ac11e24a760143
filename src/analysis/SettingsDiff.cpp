#include "analysis/SettingsDiff.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <numeric>
#include <set>

#include "document/SettingsFields.h"

namespace qv::analysis {

namespace {

struct FieldValue {
    std::string name;
    std::string text;
    std::uint32_t bits;
};

std::string Text(float v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}
std::string Text(std::int32_t v) {
    return std::to_string(v);
}
std::string Text(std::uint32_t v) {
    return std::to_string(v);
}

template <typename Block>
std::vector<FieldValue> Fields(const Block& block) {
    std::vector<FieldValue> out;
    VisitFields(block, [&](const char* name, auto value) {
        out.push_back({name, Text(value), std::bit_cast<std::uint32_t>(value)});
    });
    return out;
}

// Which fields a physical value hangs on, and how it is worked out.
struct Physical {
    std::set<std::string> fields;
    const char* unit;
    std::optional<double> a, b;
};

template <typename Block>
void Compare(std::vector<SettingDifference>& out, const char* blockName, const Block& a,
             const Block& b, const std::vector<Physical>& physical) {
    const auto fa = Fields(a);
    const auto fb = Fields(b);
    for (std::size_t i = 0; i < fa.size(); ++i) {
        if (fa[i].bits == fb[i].bits) {
            continue;
        }
        SettingDifference d{blockName, fa[i].name, fa[i].text, fb[i].text, {}, {}, {}};
        for (const Physical& p : physical) {
            if (p.fields.count(fa[i].name) != 0) {
                d.unit = p.unit;
                d.aPhysical = p.a;
                d.bPhysical = p.b;
            }
        }
        out.push_back(std::move(d));
    }
}

template <std::size_t N>
std::uint64_t Total(const std::array<std::uint32_t, N>& counts) {
    return std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
}

}  // namespace

double HighVoltageVolts(const HighVoltageBlock& hv) {
    const std::int32_t n = std::min(std::max(hv.HvDesired, hv.HvLowerLimit), hv.HvUpperLimit);
    return static_cast<long double>(n) * hv.HvSlope + hv.HvOffset;
}

double VelocityMmPerS(const VibratorBlock& v) {
    const float coefficient = v.HighRange != 0 ? v.VelocityCoefHigh : v.VelocityCoefLow;
    return static_cast<double>(coefficient) * v.AmplitudeDesired;
}

double DriveFrequencyHz(const VibratorBlock& v) {
    return 24e6 / ((8.0 * (v.K + 1) + 24) * (256.0 - v.L) * 8192);
}

std::vector<SettingDifference> DiffSettings(const SettingsImage& a, const SettingsImage& b) {
    std::vector<SettingDifference> out;
    Compare(out, "counters", a.CountersTimers, b.CountersTimers, {});
    Compare(out, "analogue", a.Analogue, b.Analogue, {});
    Compare(out, "highVoltage", a.HighVoltage, b.HighVoltage,
            {{{"HvDesired", "HvUpperLimit", "HvLowerLimit", "HvSlope", "HvOffset"},
              "V",
              HighVoltageVolts(a.HighVoltage),
              HighVoltageVolts(b.HighVoltage)}});
    Compare(out, "vibrator", a.Vibrator, b.Vibrator,
            {{{"AmplitudeDesired", "HighRange", "VelocityCoefHigh", "VelocityCoefLow"},
              "mm/s",
              VelocityMmPerS(a.Vibrator),
              VelocityMmPerS(b.Vibrator)},
             {{"K", "L"}, "Hz", DriveFrequencyHz(a.Vibrator), DriveFrequencyHz(b.Vibrator)}});
    return out;
}

RunSummary Summarize(const Measurement& m) {
    const CountersTimersBlock& t = m.Settings.CountersTimers;
    RunSummary s;
    s.qv1Cycles = t.Qv1CyclesStart - t.Qv1CyclesCurrent;
    s.qv2Cycles = t.Qv2CyclesStart - t.Qv2CyclesCurrent;
    s.sweepSeconds = s.qv1Cycles / DriveFrequencyHz(m.Settings.Vibrator);
    s.aaLiveSeconds = t.AaLiveTime;
    s.aaRealSeconds = static_cast<std::int64_t>(t.AaLiveTime) + t.AaDeadTime;
    s.qv1Counts = Total(m.Qv1);
    s.qv2Counts = Total(m.Qv2);
    s.aaCounts = Total(m.Aa);
    return s;
}

}  // namespace qv::analysis

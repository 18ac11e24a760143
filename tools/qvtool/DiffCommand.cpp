#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "Commands.h"
#include "ToolDocument.h"
#include "analysis/SettingsDiff.h"
#include "jobs/JsonText.h"

namespace qv::tool {

namespace {

using Json = nlohmann::ordered_json;

Json Number(const std::optional<double>& value) {
    return value && std::isfinite(*value) ? Json(*value) : Json(nullptr);
}

std::string WithPhysical(const std::string& raw, const std::optional<double>& value,
                         const std::string& unit) {
    if (!value) {
        return raw;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, " (%.6g %s)", *value, unit.c_str());
    return raw + buffer;
}

Json SummaryJson(const std::string& file, const analysis::RunSummary& s) {
    return Json{{"file", file},
                {"qv1Cycles", s.qv1Cycles},
                {"qv2Cycles", s.qv2Cycles},
                {"sweepSeconds", Number(s.sweepSeconds)},
                {"aaLiveSeconds", s.aaLiveSeconds},
                {"aaRealSeconds", s.aaRealSeconds},
                {"qv1Counts", s.qv1Counts},
                {"qv2Counts", s.qv2Counts},
                {"aaCounts", s.aaCounts}};
}

void PrintSummary(std::ostream& out, const std::string& file, const analysis::RunSummary& s) {
    char line[512];
    std::snprintf(
        line, sizeof line,
        "%s: Qv1 %u cycles (%.1f s), Qv2 %u cycles, Aa live %d s real %lld s; "
        "counts Qv1 %llu, Qv2 %llu, Aa %llu\n",
        file.c_str(), s.qv1Cycles, s.sweepSeconds, s.qv2Cycles, s.aaLiveSeconds,
        static_cast<long long>(s.aaRealSeconds), static_cast<unsigned long long>(s.qv1Counts),
        static_cast<unsigned long long>(s.qv2Counts), static_cast<unsigned long long>(s.aaCounts));
    out << line;
}

}  // namespace

int DiffCommand(Streams io, const std::string& fileA, const std::string& fileB, bool json) {
    ToolDocument a(io.err);
    ToolDocument b(io.err);
    if (!a.Open(fileA) || !b.Open(fileB)) {
        return 1;
    }
    const Measurement& ma = a.Doc().Data();
    const Measurement& mb = b.Doc().Data();
    const auto differences = analysis::DiffSettings(ma.Settings, mb.Settings);
    const auto sa = analysis::Summarize(ma);
    const auto sb = analysis::Summarize(mb);
    if (json) {
        Json list = Json::array();
        for (const auto& d : differences) {
            Json entry{{"block", d.block}, {"field", d.field}, {"a", d.a}, {"b", d.b}};
            if (!d.unit.empty()) {
                entry["unit"] = d.unit;
                entry["aValue"] = Number(d.aPhysical);
                entry["bValue"] = Number(d.bPhysical);
            }
            list.push_back(entry);
        }
        io.out << jobs::JsonText(Json{{"differences", list},
                                      {"a", SummaryJson(fileA, sa)},
                                      {"b", SummaryJson(fileB, sb)}},
                                 2)
               << '\n';
        return 0;
    }
    if (differences.empty()) {
        io.out << "the settings are the same\n";
    }
    for (const auto& d : differences) {
        io.out << d.block << '.' << d.field << ": " << WithPhysical(d.a, d.aPhysical, d.unit)
               << " -> " << WithPhysical(d.b, d.bPhysical, d.unit) << '\n';
    }
    PrintSummary(io.out, fileA, sa);
    PrintSummary(io.out, fileB, sb);
    return 0;
}

}  // namespace qv::tool

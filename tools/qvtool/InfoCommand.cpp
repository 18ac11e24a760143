#include <nlohmann/json.hpp>

#include "Commands.h"
#include "JsonNumbers.h"
#include "ToolDocument.h"
#include "document/QvDoc.h"
#include "document/SettingsFields.h"
#include "editors/RemarkSummary.h"
#include "framework/TextEncoding.h"
#include "jobs/JsonText.h"

namespace qv::tool {

namespace {

using Json = nlohmann::ordered_json;

template <typename Block>
Json BlockJson(const Block& block) {
    Json object = Json::object();
    VisitFields(block, [&](const char* name, auto value) { object[name] = JsonNumber(value); });
    return object;
}

Json StatisticsJson(const SpectrumStatistics& s) {
    return Json{{"AaSumMaximum", s.AaSumMaximum},
                {"Qv2Range", s.Qv2Range},
                {"Qv2Minimum", s.Qv2Minimum},
                {"Qv1Range", s.Qv1Range},
                {"Qv1Minimum", s.Qv1Minimum}};
}

Json MeasurementJson(const CQvDoc& doc, bool spectra) {
    const Measurement& m = doc.Data();
    Json json;
    json["remark"] = Cp1252ToDisplayText(m.Remark);
    json["stamp"] = {m.Stamp.Version1, m.Stamp.Version2, m.Stamp.Version3};
    json["counters"] = BlockJson(m.Settings.CountersTimers);
    json["analogue"] = BlockJson(m.Settings.Analogue);
    json["highVoltage"] = BlockJson(m.Settings.HighVoltage);
    json["vibrator"] = BlockJson(m.Settings.Vibrator);
    json["statistics"] = StatisticsJson(doc.Statistics());
    Json summary = Json::object();
    VisitTexts(SummariseSettings(m.Settings),
               [&](const char* name, const std::string& text) { summary[name] = text; });
    json["summary"] = summary;
    if (spectra) {
        const auto array = [](auto span) { return Json(std::vector(span.begin(), span.end())); };
        json["spectra"] = {{"Qv2", array(std::span(m.Qv2))},
                           {"Qv1", array(std::span(m.Qv1))},
                           {"AaAntiCoinc", array(m.AaAntiCoinc())},
                           {"AaCoinc", array(m.AaCoinc())}};
    }
    return json;
}

template <typename Block>
void PrintBlock(std::ostream& out, const char* title, const Block& block) {
    out << title << ":\n";
    VisitFields(block, [&](const char* name, auto value) {
        out << "  " << name << " = " << PlainText(value) << '\n';
    });
}

void PrintMeasurement(std::ostream& out, const CQvDoc& doc, bool spectra) {
    const Measurement& m = doc.Data();
    const SpectrumStatistics& s = doc.Statistics();
    out << "remark: " << Cp1252ToDisplayText(m.Remark) << '\n';
    out << "stamp: " << m.Stamp.Version1 << ' ' << m.Stamp.Version2 << ' ' << m.Stamp.Version3
        << '\n';
    PrintBlock(out, "counters", m.Settings.CountersTimers);
    PrintBlock(out, "analogue", m.Settings.Analogue);
    PrintBlock(out, "highVoltage", m.Settings.HighVoltage);
    PrintBlock(out, "vibrator", m.Settings.Vibrator);
    out << "statistics:\n  AaSumMaximum = " << s.AaSumMaximum << "\n  Qv2Range = " << s.Qv2Range
        << "\n  Qv2Minimum = " << s.Qv2Minimum << "\n  Qv1Range = " << s.Qv1Range
        << "\n  Qv1Minimum = " << s.Qv1Minimum << '\n';
    // As the data remark panel shows them; texts in quotes keep their blanks.
    out << "summary:\n";
    VisitTexts(SummariseSettings(m.Settings), [&](const char* name, const std::string& text) {
        out << "  " << name << " = \"" << text << "\"\n";
    });
    if (spectra) {
        out << "channel Qv2 Qv1 AaAntiCoinc AaCoinc\n";
        for (std::size_t c = 0; c < kChannels; ++c) {
            out << c << ' ' << m.Qv2[c] << ' ' << m.Qv1[c] << ' ' << m.AaAntiCoinc()[c] << ' '
                << m.AaCoinc()[c] << '\n';
        }
    }
}

}  // namespace

int InfoCommand(Streams io, const std::string& file, bool json, bool spectra) {
    ToolDocument tool(io.err);
    if (!tool.Open(file)) {
        return 1;
    }
    if (json) {
        io.out << jobs::JsonText(MeasurementJson(tool.Doc(), spectra), 2) << '\n';
    } else {
        PrintMeasurement(io.out, tool.Doc(), spectra);
    }
    return 0;
}

}  // namespace qv::tool

#include "analysis/ExportFormats.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "framework/TextEncoding.h"

namespace qv::analysis {

namespace {

bool Printable(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 32 && u <= 126;
}

std::string Format(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// One '#' line per line of the remark, in UTF-8.
void RemarkLines(std::ostringstream& out, const std::string& remark) {
    std::istringstream lines(Cp1252ToUtf8(remark));
    std::string line;
    bool any = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        out << "# remark:" << (line.empty() ? "" : " ") << line << '\n';
        any = true;
    }
    if (!any) {
        out << "# remark:\n";
    }
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

std::string OneLineAscii(const std::string& remark) {
    std::string out;
    bool gap = false;
    for (char c : remark) {
        if (!Printable(c) || c == ' ') {
            gap = true;
            continue;
        }
        if (gap && !out.empty()) {
            out += ' ';
        }
        gap = false;
        out += c;
    }
    return out;
}

std::string VelocityAscii(const Measurement& m, SpectrumChoice choice, const Calibration& cal,
                          const std::string& calibrationName) {
    const std::vector<std::uint32_t> counts = SpectrumCounts(m, choice);
    std::ostringstream out;
    RemarkLines(out, m.Remark);
    out << "# spectrum: " << SpectrumName(choice) << '\n';
    out << "# calibration: " << calibrationName << '\n';
    out << "# folding point: " << Format("%.3f", cal.foldingPoint) << '\n';
    out << "# zero channel: " << Format("%.3f", cal.zeroChannel) << '\n';
    out << "# velocity per channel: " << Format("%.6f", cal.velocityPerChannel) << " mm/s\n";
    out << "# maximum velocity: " << Format("%.5f", cal.maxVelocity) << " mm/s\n";
    out << "# velocity/(mm/s) counts\n";
    for (const VelocityPoint& p : FoldOnVelocity(counts, cal)) {
        out << Format("%.5f", p.velocity) << ' ' << Format("%.0f", p.counts) << '\n';
    }
    return out.str();
}

std::string Ws5(const Measurement& m, SpectrumChoice choice) {
    const std::vector<std::uint32_t> counts = SpectrumCounts(m, choice);
    std::ostringstream out;
    out << "<WS5>\r\n";
    out << "<REMARK>" << XmlEscaped(OneLineAscii(m.Remark)) << "</REMARK>\r\n";
    out << "<SPECTRUM>" << SpectrumName(choice) << "</SPECTRUM>\r\n";
    out << "<CHANNELS>" << counts.size() << "</CHANNELS>\r\n";
    out << "</WS5>\r\n";
    for (std::uint32_t c : counts) {
        out << c << "\r\n";
    }
    return out.str();
}

std::string OrtecSpe(const Measurement& m, SpectrumChoice choice, const std::string& measured) {
    const std::vector<std::uint32_t> counts = SpectrumCounts(m, choice);
    const CountersTimersBlock& t = m.Settings.CountersTimers;
    std::ostringstream out;
    const std::string id = OneLineAscii(m.Remark);
    out << "$SPEC_ID:\r\n" << (id.empty() ? "No sample description was entered." : id) << "\r\n";
    out << "$SPEC_REM:\r\nDET# 1\r\nDETDESC# qv " << SpectrumName(choice) << "\r\nAP# qvtool\r\n";
    out << "$DATE_MEA:\r\n" << measured << "\r\n";
    out << "$MEAS_TIM:\r\n"
        << t.AaLiveTime << ' ' << static_cast<std::int64_t>(t.AaLiveTime) + t.AaDeadTime << "\r\n";
    out << "$DATA:\r\n0 " << counts.size() - 1 << "\r\n";
    for (std::uint32_t c : counts) {
        char line[16];
        std::snprintf(line, sizeof line, "%8u\r\n", static_cast<unsigned>(c));
        out << line;
    }
    return out.str();
}

std::string Csv(const Measurement& m) {
    std::ostringstream out;
    out << "channel,Qv1,Qv2,AaAntiCoinc,AaCoinc,AaSum\r\n";
    for (std::size_t c = 0; c < kChannels; ++c) {
        out << c << ',' << m.Qv1[c] << ',' << m.Qv2[c] << ',' << m.AaAntiCoinc()[c] << ','
            << m.AaCoinc()[c] << ',' << m.AaSum(c) << "\r\n";
    }
    return out.str();
}

std::string PlainAscii(const Measurement& m, SpectrumChoice choice) {
    std::ostringstream out;
    for (std::uint32_t c : SpectrumCounts(m, choice)) {
        out << c << '\n';
    }
    return out.str();
}

}  // namespace qv::analysis

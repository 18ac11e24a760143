// qvtool log: a run log read back, summed up and drawn.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <limits>

#include <nlohmann/json.hpp>

#include "Commands.h"
#include "PictureSize.h"
#include "document/RunLogRecord.h"
#include "framework/FileKind.h"
#include "jobs/JsonText.h"
#include "pictures/CanvasFont.h"
#include "pictures/PngFile.h"
#include "pictures/RunLogPlot.h"

namespace qv::tool {

namespace {

constexpr int kSmallestSide = 200;
// A year of captures at one a minute, each line far shorter than 512 bytes:
// anything larger is some other file, and would be read whole before that shows.
constexpr std::uintmax_t kMaxRunLogBytes = 366ULL * 24 * 60 * 512;

struct RunLogContents {
    std::vector<RunLogRecord> records;
    int skipped = 0;
    bool header = false;
};

// Every whole line; a torn or garbled one is noted on err and left out.
bool ReadRunLog(const std::string& path, std::ostream& err, RunLogContents& contents) {
    // Checked before the open, which would already block on a FIFO.
    const std::string why = UnreadableFileReason(path, kMaxRunLogBytes);
    std::ifstream in;
    if (why.empty()) {
        in.open(path, std::ios::binary);
    }
    if (!in.is_open()) {
        err << "cannot read the run log " << path << (why.empty() ? "" : ": " + why) << '\n';
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line == RunLogHeader()) {
            contents.header = contents.header || !line.empty();
            continue;
        }
        std::string why;
        if (auto record = ParseRunLogLine(line, why)) {
            contents.records.push_back(*record);
        } else {
            err << path << ':' << number << ": line skipped (" << why << ")\n";
            ++contents.skipped;
        }
    }
    // A log begins with its header; without it and without one capture it is
    // some other file (or an empty one), not a run that captured nothing.
    if (!contents.header && contents.records.empty()) {
        err << "log: " << path << " is not a run log (no header, no capture)\n";
        return false;
    }
    return true;
}

struct Spread {
    double min = std::numeric_limits<double>::max();
    double max = std::numeric_limits<double>::lowest();
    double sum = 0;
    int count = 0;

    void Add(double v) {
        min = std::min(min, v);
        max = std::max(max, v);
        sum += v;
        ++count;
    }
    double Mean() const { return sum / count; }
};

struct Summary {
    Spread qv1, qv2, deadTime;
    int failed = 0;
    std::int64_t first = 0, last = 0;
    const RunLogRecord* firstRecord = nullptr;
    const RunLogRecord* lastRecord = nullptr;

    explicit Summary(const std::vector<RunLogRecord>& records) {
        for (const RunLogRecord& r : records) {
            failed += r.result != 0 ? 1 : 0;
            if (!firstRecord || r.time < firstRecord->time)
                firstRecord = &r;
            if (!lastRecord || r.time >= lastRecord->time)
                lastRecord = &r;
            if (const auto& c = r.readings.counters) {
                qv1.Add(c->Qv1Rate);
                qv2.Add(c->Qv2Rate);
                deadTime.Add(DeadTimePercentage(c->AaLiveTime, c->AaDeadTime));
            }
        }
    }
    std::int64_t Span() const { return lastRecord->time - firstRecord->time; }
};

std::string Stamp(const RunLogRecord& r) {
    return FormatLogTime(r.time, r.utcOffset);
}

std::string SpanText(std::int64_t seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%lld h %02lld min %02lld s",
                  static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

void PrintSpread(std::ostream& out, const char* name, const Spread& s, const char* format) {
    char text[160];
    if (s.count == 0) {
        std::snprintf(text, sizeof text, "%-16s %10s %10s %10s\n", name, "-", "-", "-");
    } else {
        char lo[32], mean[32], hi[32];
        std::snprintf(lo, sizeof lo, format, s.min);
        std::snprintf(mean, sizeof mean, "%.1f", s.Mean());
        std::snprintf(hi, sizeof hi, format, s.max);
        std::snprintf(text, sizeof text, "%-16s %10s %10s %10s\n", name, lo, mean, hi);
    }
    out << text;
}

void PrintText(std::ostream& out, const std::string& file, const RunLogContents& c,
               const Summary& s) {
    out << file << ": " << c.records.size() << " captures (" << s.failed << " failed), "
        << c.skipped << " lines skipped\n";
    if (c.records.empty()) {
        return;
    }
    out << "from " << Stamp(*s.firstRecord) << " to " << Stamp(*s.lastRecord) << " ("
        << SpanText(s.Span()) << ")\n";
    char head[96];
    std::snprintf(head, sizeof head, "%-16s %10s %10s %10s\n", "", "min", "mean", "max");
    out << head;
    PrintSpread(out, "Qv1 rate [1/s]", s.qv1, "%.0f");
    PrintSpread(out, "Qv2 rate [1/s]", s.qv2, "%.0f");
    PrintSpread(out, "dead time [%]", s.deadTime, "%.1f");
}

nlohmann::ordered_json SpreadJson(const Spread& s) {
    if (s.count == 0) {
        return nullptr;
    }
    return {{"min", s.min}, {"mean", s.Mean()}, {"max", s.max}};
}

void PrintJson(std::ostream& out, const std::string& file, const RunLogContents& c,
               const Summary& s) {
    nlohmann::ordered_json j;
    j["file"] = file;
    j["captures"] = c.records.size();
    j["failed"] = s.failed;
    j["skipped"] = c.skipped;
    const bool any = !c.records.empty();
    j["first"] = any ? nlohmann::ordered_json(Stamp(*s.firstRecord)) : nullptr;
    j["last"] = any ? nlohmann::ordered_json(Stamp(*s.lastRecord)) : nullptr;
    j["span_seconds"] = any ? s.Span() : 0;
    j["qv1_rate"] = SpreadJson(s.qv1);
    j["qv2_rate"] = SpreadJson(s.qv2);
    j["dead_time_pct"] = SpreadJson(s.deadTime);
    out << jobs::JsonText(j, 2) << '\n';
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int Plot(Streams io, const LogOptions& options, const std::vector<RunLogRecord>& records) {
    const auto size = ParsePictureSize(options.size, kSmallestSide, io.err);
    if (!size) {
        return 1;
    }
    const int width = size->width, height = size->height;
    if (records.empty()) {
        io.err << "log: no captures to plot in " << options.file << '\n';
        return 1;
    }
    std::string why;
    const auto font = CanvasFont::Load(std::clamp(std::min(width, height) / 40, 11, 40), why);
    if (!font) {
        io.err << "log: " << why << '\n';
        return 1;
    }
    RgbCanvas canvas(width, height);
    DrawRunLogPlot(canvas, *font, "Run log " + BaseName(options.file), records);
    return WritePng(canvas, *options.plot, io.err) ? 0 : 1;
}

}  // namespace

int LogCommand(Streams io, const LogOptions& options) {
    RunLogContents contents;
    if (!ReadRunLog(options.file, io.err, contents)) {
        return 1;
    }
    const Summary summary(contents.records);
    if (options.json) {
        PrintJson(io.out, options.file, contents, summary);
    } else {
        PrintText(io.out, options.file, contents, summary);
    }
    return options.plot ? Plot(io, options, contents.records) : 0;
}

}  // namespace qv::tool

#include "pictures/RunLogPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>

#include "analysis/NiceStep.h"

namespace qv {

namespace {

constexpr Rgb kInk{0, 0, 0};
constexpr Rgb kGrid{225, 225, 225};
constexpr Rgb kQv1{0, 90, 200};
constexpr Rgb kQv2{200, 0, 150};
constexpr Rgb kDeadTime{230, 120, 0};
constexpr Rgb kFailed{220, 0, 0};
constexpr int kTick = 6;

using Value = std::function<std::optional<double>(const RunLogRecord&)>;

struct Series {
    const char* name;
    Rgb colour;
    Value value;
    bool rightAxis;
};

const Series kSeries[] = {
    {"Qv1 rate", kQv1,
     [](const RunLogRecord& r) -> std::optional<double> {
         if (!r.readings.counters)
             return std::nullopt;
         return r.readings.counters->Qv1Rate;
     },
     false},
    {"Qv2 rate", kQv2,
     [](const RunLogRecord& r) -> std::optional<double> {
         if (!r.readings.counters)
             return std::nullopt;
         return r.readings.counters->Qv2Rate;
     },
     false},
    {"dead time", kDeadTime,
     [](const RunLogRecord& r) -> std::optional<double> {
         if (!r.readings.counters)
             return std::nullopt;
         return DeadTimePercentage(r.readings.counters->AaLiveTime,
                                   r.readings.counters->AaDeadTime);
     },
     true},
};

// A value range with a little room above and below, never empty.
struct Range {
    double lo = 0, hi = 1;

    static Range Of(const std::vector<RunLogRecord>& records, bool rightAxis) {
        std::optional<double> lo, hi;
        for (const Series& s : kSeries) {
            if (s.rightAxis != rightAxis)
                continue;
            for (const RunLogRecord& r : records) {
                if (const auto v = s.value(r)) {
                    lo = std::min(lo.value_or(*v), *v);
                    hi = std::max(hi.value_or(*v), *v);
                }
            }
        }
        if (!lo)
            return {};
        const double pad = std::max((*hi - *lo) * 0.05, std::max(std::abs(*hi) * 0.01, 0.5));
        return {std::max(*lo - pad, *lo >= 0 ? 0.0 : *lo - pad), *hi + pad};
    }
};

// The unit that gives the time axis readable numbers.
struct TimeUnit {
    const char* name;
    double seconds;

    static TimeUnit For(double span) {
        if (span <= 300)
            return {"s", 1};
        if (span <= 3 * 3600)
            return {"min", 60};
        if (span <= 4 * 86400)
            return {"h", 3600};
        return {"d", 86400};
    }
};

std::string TickLabel(double value, double step) {
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::abs(value) < step / 2 ? 0.0 : value);
    return text;
}

// Tick values of a range, at a round step.
template <typename Each>
void Ticks(double lo, double hi, int count, Each each) {
    const double step = analysis::NiceStep(hi - lo, count);
    for (double v = std::ceil(lo / step - 1e-9) * step; v <= hi + step * 1e-9; v += step) {
        each(v, step);
    }
}

class Plot {
public:
    Plot(RgbCanvas& canvas, const CanvasFont& font, const std::vector<RunLogRecord>& records,
         const std::string& title)
        : m_canvas(canvas), m_font(font), m_records(records), m_title(title) {
        const auto [first, last] = std::minmax_element(
            records.begin(), records.end(), [](auto& a, auto& b) { return a.time < b.time; });
        m_first = &*first;
        m_t0 = static_cast<double>(first->time);
        m_span = std::max(1.0, static_cast<double>(last->time) - m_t0);
        m_unit = TimeUnit::For(m_span);
        m_left = Range::Of(records, false);
        m_right = Range::Of(records, true);
        const int line = font.LineHeight();
        m_area = {LabelWidth(m_left) + 2 * kTick + 4, 3 * line,
                  canvas.Width() - LabelWidth(m_right) - 2 * kTick - 4,
                  canvas.Height() - 3 * line - kTick};
        PlaceLegend();
    }

    // The legend beside the title, or on a row of its own below it when the
    // two do not fit side by side.
    void PlaceLegend() {
        const int line = m_font.LineHeight();
        m_legendY = line / 2;
        if (m_font.Width(m_title) + 2 * line + LegendWidth() > m_area.right - m_area.left) {
            m_legendY += line + 2;
            m_area.top += line + 2;
        }
    }

    bool Fits() const {
        return m_area.right - m_area.left >= 40 && m_area.bottom - m_area.top >= 40;
    }

    void Draw() {
        Grid();
        for (const Series& s : kSeries) {
            Line(s);
        }
        FailedCaptures();
        Frame();
        TimeAxis();
        ValueAxis(m_left, m_area.left, -1, "pulses/s");
        ValueAxis(m_right, m_area.right, 1, "dead time %");
        Text(m_area.left, m_font.LineHeight() / 2, m_title, kInk);
        Legend();
    }

private:
    int LabelWidth(const Range& range) const {
        int width = 0;
        Ticks(range.lo, range.hi, 6, [&](double v, double step) {
            width = std::max(width, m_font.Width(TickLabel(v, step)));
        });
        return width;
    }
    int X(double time) const {
        const double f = (time - m_t0) / m_span;
        return m_area.left + static_cast<int>(std::lround(f * (m_area.right - m_area.left - 1)));
    }
    int Y(double v, const Range& r) const {
        const double f = (r.hi - v) / (r.hi - r.lo);
        return m_area.top + static_cast<int>(std::lround(f * (m_area.bottom - m_area.top - 1)));
    }
    void Fill(int left, int top, int right, int bottom, Rgb colour) {
        m_canvas.FillRect({left, top, right, bottom}, colour);
    }
    void Text(int x, int y, const std::string& text, Rgb colour) {
        m_font.Draw(m_canvas, x, y, text, colour);
    }

    void Grid() {
        Ticks(m_left.lo, m_left.hi, 6, [&](double v, double) {
            Fill(m_area.left, Y(v, m_left), m_area.right, Y(v, m_left) + 1, kGrid);
        });
        Ticks(0, m_span / m_unit.seconds, 8, [&](double v, double) {
            const int x = X(m_t0 + v * m_unit.seconds);
            Fill(x, m_area.top, x + 1, m_area.bottom, kGrid);
        });
    }
    void Frame() {
        const CRect a = m_area;
        Fill(a.left - 1, a.top - 1, a.right + 1, a.top, kInk);
        Fill(a.left - 1, a.bottom, a.right + 1, a.bottom + 1, kInk);
        Fill(a.left - 1, a.top - 1, a.left, a.bottom + 1, kInk);
        Fill(a.right, a.top - 1, a.right + 1, a.bottom + 1, kInk);
    }
    // Two pixels wide; a record without the value starts a new line.
    void Line(const Series& s) {
        const Range& range = s.rightAxis ? m_right : m_left;
        const bool dots = m_records.size() <= 60;
        std::optional<CPoint> last;
        m_canvas.SelectPen(s.colour);
        for (const RunLogRecord& r : m_records) {
            const auto v = s.value(r);
            if (!v) {
                last.reset();
                continue;
            }
            const CPoint p{X(static_cast<double>(r.time)), Y(*v, range)};
            if (last) {
                for (int dy = 0; dy < 2; ++dy) {
                    m_canvas.MoveTo(last->x, last->y + dy);
                    m_canvas.LineTo(p.x, p.y + dy);
                }
            }
            if (dots || !last) {
                Fill(p.x - 2, p.y - 1, p.x + 3, p.y + 3, s.colour);
            }
            last = p;
        }
    }
    void FailedCaptures() {
        for (const RunLogRecord& r : m_records) {
            if (r.result != 0) {
                const int x = X(static_cast<double>(r.time));
                Fill(x - 1, m_area.bottom - 16, x + 2, m_area.bottom, kFailed);
            }
        }
    }
    void TimeAxis() {
        const int y = m_area.bottom;
        Ticks(0, m_span / m_unit.seconds, 8, [&](double v, double step) {
            const int x = X(m_t0 + v * m_unit.seconds);
            Fill(x, y, x + 1, y + kTick, kInk);
            const std::string label = TickLabel(v, step);
            Text(x - m_font.Width(label) / 2, y + kTick + 1, label, kInk);
        });
        const std::string caption = std::string("time [") + m_unit.name + "] since " +
                                    FormatLogTime(m_first->time, m_first->utcOffset);
        Text((m_area.left + m_area.right - m_font.Width(caption)) / 2,
             y + kTick + m_font.LineHeight() + 3, caption, kInk);
    }
    // side -1: ticks and labels left of x, 1: right of it.
    void ValueAxis(const Range& range, int x, int side, const std::string& title) {
        Ticks(range.lo, range.hi, 6, [&](double v, double step) {
            const int y = Y(v, range);
            Fill(side < 0 ? x - kTick : x, y, side < 0 ? x : x + kTick, y + 1, kInk);
            const std::string label = TickLabel(v, step);
            const int lx = side < 0 ? x - kTick - 3 - m_font.Width(label) : x + kTick + 3;
            Text(lx, y - m_font.LineHeight() / 2, label, kInk);
        });
        const int tx = side < 0 ? std::max(2, x - m_font.Width(title) / 2)
                                : std::min(m_canvas.Width() - m_font.Width(title) - 2,
                                           x - m_font.Width(title) / 2);
        Text(tx, m_area.top - m_font.LineHeight() - 4, title, kInk);
    }
    struct LegendEntry {
        const char* name;
        Rgb colour;
    };
    static std::vector<LegendEntry> LegendEntries() {
        std::vector<LegendEntry> entries;
        for (const Series& s : kSeries)
            entries.push_back({s.name, s.colour});
        entries.push_back({"failed capture", kFailed});
        return entries;
    }
    int EntryWidth(const LegendEntry& e) const {
        return 2 * m_font.LineHeight() + 4 + m_font.Width(e.name);
    }
    int LegendWidth() const {
        int width = -m_font.LineHeight();
        for (const LegendEntry& e : LegendEntries())
            width += EntryWidth(e);
        return width;
    }
    // Right-aligned over the plot area: a colour sample before each name.
    void Legend() {
        const int sample = m_font.LineHeight();
        int x = m_area.right - LegendWidth();
        const int mid = m_legendY + m_font.LineHeight() / 2;
        for (const LegendEntry& e : LegendEntries()) {
            Fill(x, mid - 1, x + sample, mid + 2, e.colour);
            Text(x + sample + 4, m_legendY, e.name, kInk);
            x += EntryWidth(e);
        }
    }

    RgbCanvas& m_canvas;
    const CanvasFont& m_font;
    const std::vector<RunLogRecord>& m_records;
    std::string m_title;
    const RunLogRecord* m_first = nullptr;  // the earliest
    double m_t0 = 0, m_span = 1;
    TimeUnit m_unit{"s", 1};
    Range m_left, m_right;
    CRect m_area;
    int m_legendY = 0;
};

}  // namespace

void DrawRunLogPlot(RgbCanvas& canvas, const CanvasFont& font, const std::string& title,
                    const std::vector<RunLogRecord>& records) {
    canvas.SetMapping(Mapping::OneToOne({0, 0}));
    canvas.Clear();
    if (records.empty()) {
        return;
    }
    Plot plot(canvas, font, records, title);
    if (plot.Fits()) {
        plot.Draw();
    }
}

}  // namespace qv

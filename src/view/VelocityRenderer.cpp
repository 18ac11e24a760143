#include "view/VelocityRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "analysis/NiceStep.h"
#include "analysis/RunQuality.h"
#include "analysis/SextetCurve.h"
#include "pictures/CanvasFont.h"

namespace qv {

namespace {

constexpr Rgb kPaper{255, 255, 255};
constexpr Rgb kInk{0, 0, 0};
constexpr Rgb kMarker{150, 150, 150};
constexpr Rgb kFitLine{0, 0, 0};
constexpr int kSmallestFont = 12;
constexpr int kLargestFont = 26;

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// As many decimals as the step needs, none for whole steps.
std::string TickLabel(double value, double step) {
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, std::abs(value) < step / 2 ? 0.0 : value);
    return text;
}

// Counts from lo at the bottom of the field to hi at its top.
struct CountRange {
    double lo = 0;
    double hi = 1;
};

struct FoldedTrace {
    const VelocityTrace* trace;
    std::vector<analysis::VelocityPoint> points;
    bool counted = false;
    CountRange range;  // its own: Qv1 and Qv2 may differ by orders of magnitude
};

class Plot {
public:
    Plot(RgbCanvas& canvas, CanvasFont* font, const analysis::Calibration* calibration,
         const VelocityPlotOptions& options)
        : m_canvas(canvas), m_font(font), m_calibration(calibration), m_options(options) {}

    VelocityPlotFrame Draw(std::vector<FoldedTrace>& traces) {
        const bool any = FindRanges(traces);
        LayOut();
        if (!any || m_frame.field.right - m_frame.field.left < 20 ||
            m_frame.field.bottom - m_frame.field.top < 20) {
            return {};
        }
        DrawField(traces);
        for (const FoldedTrace& t : traces) {
            if (t.counted) {
                DrawPoints(t);
            }
        }
        if (m_options.fit && !traces.empty() && traces.front().counted) {
            DrawFit(traces.front());
        }
        DrawLegend(traces);
        if (m_options.quality && !traces.empty()) {
            DrawQuality(traces.front());
        }
        return m_frame;
    }

    // Broken into lines at blanks where it is wider than the canvas.
    void Centred(const std::string& text) {
        const std::vector<std::string> lines = Wrapped(text, m_canvas.Width() - 16);
        int y = (m_canvas.Height() - LineHeight() * static_cast<int>(lines.size())) / 2;
        for (const std::string& line : lines) {
            Text(std::max((m_canvas.Width() - TextWidth(line)) / 2, 4), y, line, kInk);
            y += LineHeight();
        }
    }

private:
    std::vector<std::string> Wrapped(const std::string& text, int width) const {
        std::vector<std::string> lines{""};
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t end = std::min(text.find(' ', start), text.size());
            const std::string word = text.substr(start, end - start);
            const std::string longer = lines.back().empty() ? word : lines.back() + " " + word;
            if (!lines.back().empty() && TextWidth(longer) > width) {
                lines.push_back(word);
            } else {
                lines.back() = longer;
            }
            start = end + 1;
        }
        return lines;
    }

    int LineHeight() const { return m_font ? m_font->LineHeight() : 0; }
    int TextWidth(const std::string& text) const { return m_font ? m_font->Width(text) : 0; }
    void Text(int x, int y, const std::string& text, Rgb colour) {
        if (m_font) {
            m_font->Draw(m_canvas, x, y, text, colour);
        }
    }
    void Fill(int left, int top, int right, int bottom, Rgb colour) {
        m_canvas.FillRect({left, top, right, bottom}, colour);
    }

    void LayOut() {
        const int line = std::max(LineHeight(), 8);
        m_tick = std::max(line / 3, 4);
        const int bottomLines = m_options.quality ? 3 : 2;
        const int labels = TextWidth("-0000000") + 2 * m_tick;
        const CRect outer{labels, line + line / 2, m_canvas.Width() - (m_rightAxis ? labels : line),
                          m_canvas.Height() - bottomLines * line - line / 2};
        m_frame.field = outer;
        m_residuals = {};
        if (m_options.fit) {
            const int strip = (outer.bottom - outer.top) / 5;
            m_frame.field.bottom = outer.bottom - strip - line / 2;
            m_residuals = {outer.left, outer.bottom - strip, outer.right, outer.bottom};
        }
    }

    // The first counted trace has the left axis, the second the right one.
    bool FindRanges(std::vector<FoldedTrace>& traces) {
        for (FoldedTrace& t : traces) {
            if (!t.counted) {
                continue;
            }
            const auto [a, b] = std::minmax_element(
                t.points.begin(), t.points.end(),
                [](const auto& p, const auto& q) { return p.counts < q.counts; });
            const double pad = std::max((b->counts - a->counts) * 0.04, 1.0);
            t.range = {a->counts - pad, b->counts + pad};
            m_frame.vMin = t.points.front().velocity;
            m_frame.vMax = t.points.back().velocity;
            if (!m_leftAxis) {
                m_leftAxis = &t;
            } else if (!m_rightAxis) {
                m_rightAxis = &t;
            }
        }
        if (m_leftAxis) {
            m_frame.cMin = m_leftAxis->range.lo;
            m_frame.cMax = m_leftAxis->range.hi;
        }
        return m_leftAxis && m_frame.vMax > m_frame.vMin;
    }

    int X(double v) const {
        const CRect& f = m_frame.field;
        return f.left +
               static_cast<int>(std::lround((v - m_frame.vMin) / (m_frame.vMax - m_frame.vMin) *
                                            (f.right - f.left - 1)));
    }
    int Y(double c, const CountRange& r) const {
        const CRect& f = m_frame.field;
        return f.top +
               static_cast<int>(std::lround((r.hi - c) / (r.hi - r.lo) * (f.bottom - f.top - 1)));
    }

    void Frame(const CRect& r) {
        Fill(r.left - 1, r.top - 1, r.right + 1, r.top, kInk);
        Fill(r.left - 1, r.bottom, r.right + 1, r.bottom + 1, kInk);
        Fill(r.left - 1, r.top - 1, r.left, r.bottom + 1, kInk);
        Fill(r.right, r.top - 1, r.right + 1, r.bottom + 1, kInk);
    }

    void DrawField(const std::vector<FoldedTrace>& traces) {
        const CRect& f = m_frame.field;
        Frame(f);
        if (m_options.markers) {
            for (double v : analysis::kAlphaIronLines) {
                for (int y = f.top; y < f.bottom; y += 6) {
                    Fill(X(v), y, X(v) + 1, std::min(y + 3, f.bottom), kMarker);
                }
            }
        }
        VelocityAxis(m_options.fit ? m_residuals : f);
        CountAxis(*m_leftAxis, f.left, -1, traces.size() > 1 ? m_leftAxis->trace->colour : kInk);
        if (m_rightAxis) {
            CountAxis(*m_rightAxis, f.right, +1, m_rightAxis->trace->colour);
        }
    }

    void VelocityAxis(const CRect& below) {
        const int width = m_frame.field.right - m_frame.field.left;
        const int ticks = std::clamp(width / std::max(TextWidth("-10.0") * 2, 40), 2, 12);
        const double step = analysis::NiceStep(m_frame.vMax - m_frame.vMin, ticks);
        const int y = below.bottom + 1;
        for (double v = std::ceil(m_frame.vMin / step) * step; v <= m_frame.vMax; v += step) {
            const int x = X(v);
            Fill(x, y, x + 1, y + m_tick, kInk);
            const std::string label = TickLabel(v, step);
            Text(x - TextWidth(label) / 2, y + m_tick, label, kInk);
        }
        const std::string title = "velocity (mm/s)";
        Text((m_frame.field.left + m_frame.field.right - TextWidth(title)) / 2,
             y + m_tick + LineHeight(), title, kInk);
    }

    // Ticks outward from the edge at x (side -1: left, +1: right), labels in colour.
    void CountAxis(const FoldedTrace& t, int x, int side, Rgb colour) {
        const CRect& f = m_frame.field;
        const int ticks = std::clamp((f.bottom - f.top) / std::max(3 * LineHeight(), 24), 2, 10);
        const CountRange& r = t.range;
        const double step = analysis::NiceStep(r.hi - r.lo, ticks);
        const int outer = side < 0 ? x - m_tick : x + 1;
        for (double c = std::ceil(r.lo / step) * step; c <= r.hi; c += step) {
            const int y = Y(c, r);
            Fill(outer, y, outer + m_tick, y + 1, kInk);
            const std::string label = TickLabel(c, step);
            const int lx = side < 0 ? x - m_tick - 4 - TextWidth(label) : x + m_tick + 4;
            Text(lx, y - LineHeight() / 2, label, colour);
        }
        const std::string title = m_rightAxis ? t.trace->name + " counts" : "counts";
        const int tx = side < 0 ? x - m_tick : x + m_tick - TextWidth(title);
        Text(tx, f.top - LineHeight() - LineHeight() / 4, title, colour);
    }

    int PointSize() const { return std::max(2, LineHeight() / 9); }

    void DrawPoints(const FoldedTrace& t) {
        const int s = PointSize();
        for (const analysis::VelocityPoint& p : t.points) {
            const int x = X(p.velocity), y = Y(p.counts, t.range);
            Fill(x - s / 2, y - s / 2, x - s / 2 + s, y - s / 2 + s, t.trace->colour);
        }
    }

    void DrawFit(const FoldedTrace& t) {
        if (!m_calibration) {
            return;
        }
        const std::vector<double> curve = analysis::SextetCurve(t.points, *m_calibration);
        if (curve.empty()) {
            return;
        }
        m_canvas.SelectPen(kFitLine);
        m_canvas.MoveTo(X(t.points.front().velocity), Y(curve.front(), t.range));
        for (std::size_t i = 1; i < curve.size(); ++i) {
            m_canvas.LineTo(X(t.points[i].velocity), Y(curve[i], t.range));
        }
        DrawResiduals(t, curve);
    }

    // In standard deviations of the counts, a strip from -4 to +4.
    void DrawResiduals(const FoldedTrace& t, const std::vector<double>& curve) {
        const CRect& r = m_residuals;
        Frame(r);
        const int mid = (r.top + r.bottom) / 2;
        Fill(r.left, mid, r.right, mid + 1, kMarker);
        const double perSigma = (r.bottom - r.top - 1) / 8.0;
        for (std::size_t i = 0; i < curve.size(); ++i) {
            const double sigma = std::sqrt(std::max(curve[i], 1.0));
            const double z = std::clamp((t.points[i].counts - curve[i]) / sigma, -4.0, 4.0);
            const int x = X(t.points[i].velocity),
                      y = mid - static_cast<int>(std::lround(z * perSigma));
            Fill(x, y, x + 2, y + 2, t.trace->colour);
        }
        const auto label = [&](const std::string& text, int y) {
            Text(r.left - m_tick - 4 - TextWidth(text), y, text, kInk);
        };
        label("+4\u03c3", r.top);
        label("0", mid - LineHeight() / 2);
        label("\u22124\u03c3", r.bottom - LineHeight());
    }

    // Centred over the field, clear of the axis titles in the corners.
    void DrawLegend(const std::vector<FoldedTrace>& traces) {
        const int y = m_frame.field.top - LineHeight() - LineHeight() / 4;
        const int box = std::max(LineHeight() / 2, 6);
        std::vector<std::string> labels;
        int width = 0;
        for (const FoldedTrace& t : traces) {
            labels.push_back(t.trace->name + (t.counted ? "" : " (no counts)"));
            width += box + box / 2 + TextWidth(labels.back()) + LineHeight();
        }
        int x = (m_frame.field.left + m_frame.field.right - width + LineHeight()) / 2;
        for (std::size_t i = 0; i < traces.size(); ++i) {
            Fill(x, y + (LineHeight() - box) / 2, x + box, y + (LineHeight() + box) / 2,
                 traces[i].trace->colour);
            x += box + box / 2;
            Text(x, y, labels[i], kInk);
            x += TextWidth(labels[i]) + LineHeight();
        }
    }

    // The long wording where it fits, else the short one.
    void DrawQuality(const FoldedTrace& t) {
        const auto q = analysis::MeasureRunQuality(t.points);
        std::string text = t.trace->name + ": no counts yet";
        if (q) {
            const std::string baseline = Format("%.0f", q->baseline);
            const std::string depth = Format("%.2f", q->depth * 100);
            const std::string snr = Format("%.1f", q->signalToNoise);
            text = t.trace->name + ": " + baseline +
                   " counts per folded channel on the baseline, deepest line " + depth +
                   " % deep, signal-to-noise " + snr;
            if (m_frame.field.left + TextWidth(text) > m_canvas.Width()) {
                text = t.trace->name + ": baseline " + baseline + " counts/channel, depth " +
                       depth + " %, S/N " + snr;
            }
        }
        Text(m_frame.field.left, m_canvas.Height() - LineHeight() - LineHeight() / 4, text, kInk);
    }

    RgbCanvas& m_canvas;
    CanvasFont* m_font;
    const analysis::Calibration* m_calibration;
    const VelocityPlotOptions& m_options;
    VelocityPlotFrame m_frame;
    const FoldedTrace* m_leftAxis = nullptr;
    const FoldedTrace* m_rightAxis = nullptr;
    CRect m_residuals;
    int m_tick = 4;
};

}  // namespace

double VelocityPlotFrame::VelocityAt(int x) const {
    return vMin + (vMax - vMin) * (x - field.left) / std::max(field.right - field.left - 1, 1);
}

double VelocityPlotFrame::CountsAt(int y) const {
    return cMax - (cMax - cMin) * (y - field.top) / std::max(field.bottom - field.top - 1, 1);
}

VelocityRenderer::VelocityRenderer() = default;
VelocityRenderer::~VelocityRenderer() = default;

CanvasFont* VelocityRenderer::FontFor(const RgbCanvas& canvas) {
    if (!m_fontTried) {
        m_fontTried = true;
        m_font = CanvasFont::Load(kSmallestFont, m_fontProblem);
    }
    if (m_font) {
        m_font->SetPixelHeight(std::clamp(std::min(canvas.Width() / 2, canvas.Height()) / 36,
                                          kSmallestFont, kLargestFont));
    }
    return m_font.get();
}

void VelocityRenderer::DrawMessage(RgbCanvas& canvas, const std::string& text) {
    canvas.SetMapping(Mapping::OneToOne({0, 0}));
    canvas.Clear(kPaper);
    Plot(canvas, FontFor(canvas), nullptr, {}).Centred(text);
}

VelocityPlotFrame VelocityRenderer::Draw(RgbCanvas& canvas,
                                         const std::vector<VelocityTrace>& traces,
                                         const analysis::Calibration* calibration,
                                         const VelocityPlotOptions& options) {
    if (!calibration) {
        DrawMessage(canvas, kNoCalibrationText);
        return {};
    }
    canvas.SetMapping(Mapping::OneToOne({0, 0}));
    canvas.Clear(kPaper);
    Plot plot(canvas, FontFor(canvas), calibration, options);
    std::vector<FoldedTrace> folded;
    for (const VelocityTrace& t : traces) {
        FoldedTrace f{&t, analysis::FoldOnVelocity(t.counts, *calibration), false, {}};
        f.counted = std::any_of(t.counts.begin(), t.counts.end(), [](auto c) { return c != 0; });
        folded.push_back(std::move(f));
    }
    return plot.Draw(folded);
}

}  // namespace qv

#include "AnaloguePictures.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <wx/brush.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include "DialogFont.h"
#include "editors/AnalogueBlockTemplate.h"

namespace qv {
namespace {

const wxColour kInk(45, 45, 45);
const wxColour kSignalInk(25, 75, 165);
const wxColour kTriggerInk(175, 75, 20);
const wxColour kTestInk(30, 125, 65);
const wxColour kBlockFill(250, 248, 236);
constexpr double kPi = 3.14159265358979323846;

// A transparent picture painted with anti-aliasing; the dialog shows through.
template <typename Paint>
wxBitmap PaintPicture(wxSize size, Paint paint) {
    const int width = std::max(size.x, 1);
    const int height = std::max(size.y, 1);
    wxImage image(width, height);
    image.InitAlpha();
    std::fill_n(image.GetAlpha(), width * height, 0);
    {
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
        gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
        paint(*gc, double(width), double(height));
    }
    return wxBitmap(image);
}

// The drawing primitives both pictures use, on one context.
class Sketch {
public:
    explicit Sketch(wxGraphicsContext& gc) : m_gc(gc) {
        m_font = MapDialogFont(AnalogueBlockTemplate().font);
    }

    void Pen(const wxColour& colour, double width = 1.2, bool dashed = false) {
        wxGraphicsPenInfo info(colour, width);
        if (dashed) {
            info.Style(wxPENSTYLE_SHORT_DASH);
        }
        m_gc.SetPen(m_gc.CreatePen(info));
        m_colour = colour;
    }
    void Line(double x1, double y1, double x2, double y2) { m_gc.StrokeLine(x1, y1, x2, y2); }
    void Polyline(std::initializer_list<wxPoint2DDouble> points) {
        m_gc.StrokeLines(points.size(), std::data(points));
    }
    // A filled arrow head at (x, y) pointing along (dx, dy).
    void Head(double x, double y, double dx, double dy) {
        const double length = std::hypot(dx, dy);
        const double ux = dx / length, uy = dy / length;
        constexpr double kLong = 6, kWide = 3;
        wxGraphicsPath path = m_gc.CreatePath();
        path.MoveToPoint(x, y);
        path.AddLineToPoint(x - ux * kLong - uy * kWide, y - uy * kLong + ux * kWide);
        path.AddLineToPoint(x - ux * kLong + uy * kWide, y - uy * kLong - ux * kWide);
        path.CloseSubpath();
        m_gc.SetBrush(m_gc.CreateBrush(wxBrush(m_colour)));
        m_gc.FillPath(path);
    }
    void Dot(double x, double y, double radius = 2.2) {
        m_gc.SetBrush(m_gc.CreateBrush(wxBrush(m_colour)));
        m_gc.DrawEllipse(x - radius, y - radius, 2 * radius, 2 * radius);
    }
    void Ring(double x, double y, double radius = 2.2) {
        m_gc.SetBrush(m_gc.CreateBrush(wxBrush(*wxWHITE)));
        m_gc.DrawEllipse(x - radius, y - radius, 2 * radius, 2 * radius);
    }
    void Box(double left, double top, double width, double height, const wxString& text) {
        m_gc.SetBrush(m_gc.CreateBrush(wxBrush(kBlockFill)));
        m_gc.DrawRoundedRectangle(left, top, width, height, 2);
        TextCentred(text, left + width / 2, top + height / 2, m_colour);
    }
    // An amplifier or comparator: a triangle pointing right.
    void Triangle(double left, double centreY, double width, double height, const wxString& text) {
        wxGraphicsPath path = m_gc.CreatePath();
        path.MoveToPoint(left, centreY - height / 2);
        path.AddLineToPoint(left + width, centreY);
        path.AddLineToPoint(left, centreY + height / 2);
        path.CloseSubpath();
        m_gc.SetBrush(m_gc.CreateBrush(wxBrush(kBlockFill)));
        m_gc.DrawPath(path);
        TextCentred(text, left + width * 0.38, centreY, m_colour);
    }
    // A vertical line from y1 up to y2 hopping over a horizontal line at yc.
    void Hop(double x, double y1, double y2, double yc) {
        constexpr double kRadius = 3.5;
        wxGraphicsPath path = m_gc.CreatePath();
        path.MoveToPoint(x, y1);
        path.AddLineToPoint(x, yc + kRadius);
        path.AddArc(x, yc, kRadius, kPi / 2, -kPi / 2, false);
        path.AddLineToPoint(x, y2);
        m_gc.StrokePath(path);
    }
    wxSize TextSize(const wxString& text) {
        m_gc.SetFont(m_font, m_colour);
        double w = 0, h = 0;
        m_gc.GetTextExtent(text, &w, &h);
        return wxSize(int(std::ceil(w)), int(std::ceil(h)));
    }
    void Text(const wxString& text, double x, double y, const wxColour& colour) {
        m_gc.SetFont(m_font, colour);
        m_gc.DrawText(text, std::round(x), std::round(y));
    }
    void TextCentred(const wxString& text, double x, double y, const wxColour& colour) {
        const wxSize s = TextSize(text);
        Text(text, x - s.x / 2.0, y - s.y / 2.0, colour);
    }

private:
    wxGraphicsContext& m_gc;
    wxFont m_font;
    wxColour m_colour = kInk;
};

// Heights of the rows the picture meets, in pixels of a picture h high.
double RowY(int dialogY, double h) {
    const DialogRect& p = kAnalogueChain.picture;
    return (dialogY - p.y) * h / p.cy;
}

// Inputs, switch, polarity and gain, along the signal row up to the branch.
void DrawFrontEnd(Sketch& s, double w, double ys) {
    s.Pen(kInk);
    const double xContact = 0.10 * w, xPivot = 0.17 * w;
    const struct {
        const char* name;
        double y;
    } inputs[] = {{"A", ys - 11}, {"B", ys + 11}};
    for (const auto& input : inputs) {
        s.TextCentred(input.name, 0.04 * w, input.y, kInk);
        s.Line(0.075 * w, input.y, xContact, input.y);
        s.Ring(xContact + 2, input.y, 2);
    }
    s.Line(xPivot, ys, xContact + 4, ys - 10);  // the selector, here on A
    s.Dot(xPivot, ys, 1.8);
    s.Line(xPivot, ys, 0.20 * w, ys);
    s.Box(0.20 * w, ys - 8, 0.10 * w, 16, wxString::FromUTF8("\xC2\xB1"));  // polarity
    s.Line(0.30 * w, ys, 0.36 * w, ys);
    s.Triangle(0.36 * w, ys, 0.11 * w, 22, "G");
    s.Line(0.47 * w, ys, 0.60 * w, ys);
    s.Dot(0.55 * w, ys);
}

// The two shaping paths: signal straight on, trigger branching down to its
// shaper and the comparator against the trigger level.
void DrawPaths(Sketch& s, double w, double h, double ys, double yt) {
    const wxString tau = wxString::FromUTF8("\xCF\x84");
    s.Pen(kSignalInk, 1.4);
    s.Box(0.60 * w, ys - 8, 0.15 * w, 16, tau + "s");
    s.Line(0.75 * w, ys, w - 1, ys);
    s.Head(w - 1, ys, 1, 0);

    s.Pen(kTriggerInk, 1.4);
    s.Polyline({{0.55 * w, ys}, {0.55 * w, yt}, {0.60 * w, yt}});
    s.Box(0.60 * w, yt - 8, 0.12 * w, 16, tau + "t");
    s.Line(0.72 * w, yt, 0.84 * w, yt);
    s.Triangle(0.84 * w, yt, 0.09 * w, 18, "");
    s.Line(0.93 * w, yt, w - 1, yt);
    s.Head(w - 1, yt, 1, 0);
    // The level comes from the TriggerLevel box beside the picture.
    const double yLevel = RowY(kAnalogueChain.triggerCentreY + 18, h);
    const double xLevel = 0.875 * w;
    s.Polyline({{w - 1, yLevel}, {xLevel, yLevel}, {xLevel, yt + 5}});
    s.Head(xLevel, yt + 4, 0, -1);
}

// The four TestOut points, each led to the left edge beside its button. Lower
// buttons take points further along, so that the leads never cross.
void DrawTestOut(Sketch& s, double w, double h, double ys, double yt) {
    const struct {
        double x;
        double y;
    } points[] = {{0.33 * w, ys}, {0.505 * w, ys}, {0.765 * w, yt}, {0.81 * w, ys}};
    s.Pen(kTestInk, 1.0, true);
    for (std::size_t i = 0; i < std::size(points); ++i) {
        const double yRow = RowY(kAnalogueChain.testOutCentreY[i], h);
        if (i == 3) {
            s.Line(0, yRow, points[i].x, yRow);
            s.Hop(points[i].x, yRow, points[i].y, yt);
        } else {
            s.Polyline({{0, yRow}, {points[i].x, yRow}, {points[i].x, points[i].y}});
        }
    }
    s.Pen(kTestInk, 1.0);
    for (const auto& p : points) {
        s.Dot(p.x, p.y, 2.4);
    }
}

// Shaped signal pulse, its peak one tau after it starts; 0..1.
double PulseShape(double t, double tau) {
    if (t <= 0) {
        return 0;
    }
    const double x = t / tau;
    return std::pow(x, 3) * std::exp(3 * (1 - x));
}

struct Chart {
    double left;   // start of the time axis
    double right;  // its end
    double rowHeight;
    double X(double fraction) const { return left + fraction * (right - left); }
    double Top(int row) const { return row * rowHeight + 3; }
    double Bottom(int row) const { return (row + 1) * rowHeight - 3; }
};

// A logic trace: low, high from `from` to `to` (fractions of the axis).
void Logic(Sketch& s, const Chart& c, int row, double from, double to) {
    s.Polyline({{c.left, c.Bottom(row)},
                {c.X(from), c.Bottom(row)},
                {c.X(from), c.Top(row)},
                {c.X(to), c.Top(row)},
                {c.X(to), c.Bottom(row)},
                {c.right, c.Bottom(row)}});
}

// An arrow along a row from the trigger edge to the moment a delay ends.
void Delay(Sketch& s, const Chart& c, int row, double from, double to) {
    const double y = (c.Top(row) + c.Bottom(row)) / 2;
    s.Line(c.X(from), y, c.X(to) - 1, y);
    s.Head(c.X(to) - 1, y, 1, 0);
}

}  // namespace

wxBitmap AnalogueChainPicture(wxSize size) {
    return PaintPicture(size, [](wxGraphicsContext& gc, double w, double h) {
        Sketch s(gc);
        const double ys = RowY(kAnalogueChain.signalCentreY, h);
        const double yt = RowY(kAnalogueChain.triggerCentreY, h);
        DrawTestOut(s, w, h, ys, yt);
        DrawFrontEnd(s, w, ys);
        DrawPaths(s, w, h, ys, yt);
    });
}

wxBitmap AnalogueTimingPicture(wxSize size) {
    return PaintPicture(size, [](wxGraphicsContext& gc, double w, double h) {
        Sketch s(gc);
        const char* const names[] = {"Signal", "Trigger", "Base", "Peak", "PileOnTile"};
        double labelWidth = 0;
        for (const char* name : names) {
            labelWidth = std::max(labelWidth, double(s.TextSize(name).x));
        }
        const Chart c{labelWidth + 6, w - 3, h / std::size(names)};
        for (int row = 0; row < int(std::size(names)); ++row) {
            const double y = (c.Top(row) + c.Bottom(row)) / 2;
            s.Text(names[row], 1, y - s.TextSize(names[row]).y / 2.0, kInk);
        }
        constexpr double kTrigger = 0.12, kBase = 0.22, kPeak = 0.46, kWindowEnd = 0.9;
        // The slow signal leaves its base just after the base capture.
        constexpr double kStart = kBase - 0.01, kTau = kPeak - kStart;
        // The trigger moment across every row.
        s.Pen(kInk, 0.8, true);
        s.Line(c.X(kTrigger), c.Top(0), c.X(kTrigger), c.Bottom(4));

        s.Pen(kSignalInk, 1.4);
        std::vector<wxPoint2DDouble> pulse;
        for (double f = 0; f <= 1.0001; f += 0.01) {
            const double value = PulseShape(f - kStart, kTau);
            pulse.emplace_back(c.X(f), c.Bottom(0) - value * (c.Bottom(0) - c.Top(0)));
        }
        gc.StrokeLines(pulse.size(), pulse.data());
        for (double at : {kBase, kPeak}) {
            s.Dot(c.X(at), c.Bottom(0) - PulseShape(at - kStart, kTau) * (c.Bottom(0) - c.Top(0)));
        }

        s.Pen(kTriggerInk, 1.4);
        Logic(s, c, 1, kTrigger, kTrigger + 0.12);
        s.Pen(kInk, 1.3);
        Logic(s, c, 2, kBase, kBase + 0.03);
        Logic(s, c, 3, kPeak, kPeak + 0.03);
        Logic(s, c, 4, kTrigger, kWindowEnd);
        s.Pen(kTestInk, 1.0);
        Delay(s, c, 2, kTrigger, kBase);
        Delay(s, c, 3, kTrigger, kPeak);
    });
}

}  // namespace qv

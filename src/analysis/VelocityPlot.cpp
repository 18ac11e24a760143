#include "analysis/VelocityPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "analysis/NiceStep.h"

namespace qv::analysis {

namespace {

constexpr Rgb kInk{0, 0, 0};
constexpr Rgb kPoints{0, 0, 192};
constexpr int kScale = 2;  // screen pixels per font pixel
constexpr int kLeft = 90, kRight = 20, kTop = 20, kBottom = 50;

// 3 x 5 pixel glyphs, one row per 3-bit number, top row first.
struct Glyph {
    char c;
    int rows[5];
};
constexpr Glyph kGlyphs[] = {{'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}},
                             {'3', {7, 1, 7, 1, 7}}, {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}},
                             {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 1, 1}}, {'8', {7, 5, 7, 5, 7}},
                             {'9', {7, 5, 7, 1, 7}}, {'-', {0, 0, 7, 0, 0}}, {'.', {0, 0, 0, 0, 2}},
                             {'m', {0, 0, 7, 7, 5}}, {'s', {0, 3, 6, 3, 6}}, {'/', {1, 1, 2, 4, 4}},
                             {'e', {7, 5, 7, 4, 7}}, {'+', {0, 2, 7, 2, 0}}};

void Text(RgbCanvas& canvas, int x, int y, const std::string& text) {
    for (char c : text) {
        for (const Glyph& g : kGlyphs) {
            if (g.c != c) {
                continue;
            }
            for (int row = 0; row < 5; ++row) {
                for (int col = 0; col < 3; ++col) {
                    if (g.rows[row] & (4 >> col)) {
                        canvas.FillRect({x + col * kScale, y + row * kScale, x + (col + 1) * kScale,
                                         y + (row + 1) * kScale},
                                        kInk);
                    }
                }
            }
        }
        x += 4 * kScale;
    }
}

int TextWidth(const std::string& text) {
    return static_cast<int>(text.size()) * 4 * kScale - kScale;
}

}  // namespace

void DrawVelocityPlot(RgbCanvas& canvas, const std::vector<VelocityPoint>& points) {
    canvas.SetMapping(Mapping::OneToOne({0, 0}));
    canvas.Clear();
    const int w = canvas.Width() - kLeft - kRight;
    const int h = canvas.Height() - kTop - kBottom;
    if (points.empty() || w < 10 || h < 10) {
        return;
    }
    const auto [lo, hi] = std::minmax_element(points.begin(), points.end(),
                                              [](auto& a, auto& b) { return a.counts < b.counts; });
    const double vMin = points.front().velocity, vMax = points.back().velocity;
    const double cMin = lo->counts, cMax = std::max(hi->counts, lo->counts + 1);
    const auto X = [&](double v) {
        return kLeft + static_cast<int>((v - vMin) / (vMax - vMin) * (w - 1));
    };
    const auto Y = [&](double c) {
        return kTop + static_cast<int>((cMax - c) / (cMax - cMin) * (h - 1));
    };
    canvas.FillRect({kLeft - 1, kTop - 1, kLeft + w + 1, kTop}, kInk);
    canvas.FillRect({kLeft - 1, kTop + h, kLeft + w + 1, kTop + h + 1}, kInk);
    canvas.FillRect({kLeft - 1, kTop - 1, kLeft, kTop + h + 1}, kInk);
    canvas.FillRect({kLeft + w, kTop - 1, kLeft + w + 1, kTop + h + 1}, kInk);
    for (int v = static_cast<int>(std::ceil(vMin)); v <= vMax; ++v) {
        const int x = X(v);
        const bool labelled = v % 2 == 0;
        canvas.FillRect({x, kTop + h, x + 1, kTop + h + (labelled ? 8 : 4)}, kInk);
        if (labelled) {
            const std::string label = std::to_string(v);
            Text(canvas, x - TextWidth(label) / 2, kTop + h + 12, label);
        }
    }
    Text(canvas, kLeft + w / 2 - TextWidth("mm/s") / 2, kTop + h + 30, "mm/s");
    const double step = NiceStep(cMax - cMin);
    for (double c = std::ceil(cMin / step) * step; c <= cMax; c += step) {
        const int y = Y(c);
        canvas.FillRect({kLeft - 8, y, kLeft, y + 1}, kInk);
        char label[32];
        std::snprintf(label, sizeof label, "%.6g", c);
        Text(canvas, kLeft - 12 - TextWidth(label), y - 5, label);
    }
    for (const VelocityPoint& p : points) {
        const int x = X(p.velocity), y = Y(p.counts);
        canvas.FillRect({x, y - 1, x + 2, y + 1}, kPoints);
    }
}

}  // namespace qv::analysis

#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "analysis/Calibration.h"
#include "framework/RgbCanvas.h"

namespace qv {

class CanvasFont;

// The colours of the two Mossbauer memories, the view's hues made deep enough
// for a white field.
inline constexpr Rgb kVelocityQv1Colour{200, 0, 200};
inline constexpr Rgb kVelocityQv2Colour{0, 150, 170};

// One spectrum to fold and draw.
struct VelocityTrace {
    std::string name;  // "Qv1", "Qv2": the legend
    std::span<const std::uint32_t> counts;
    Rgb colour;
};

struct VelocityPlotOptions {
    bool markers = false;  // the six alpha-iron line positions
    bool fit = false;      // the fitted sextet over the first trace, its residuals below
    bool quality = true;   // the run-quality line of the first trace under the plot
};

// Where the plot field lies and what it spans, to read a point under the mouse.
struct VelocityPlotFrame {
    CRect field;  // pixels; empty when no plot was drawn
    double vMin = 0, vMax = 1;
    double cMin = 0, cMax = 1;  // of the left axis

    bool Contains(CPoint p) const {
        return p.x >= field.left && p.x < field.right && p.y >= field.top && p.y < field.bottom;
    }
    double VelocityAt(int x) const;
    double CountsAt(int y) const;
};

// Draws folded spectra against velocity in mm/s: a framed field with the
// points of each trace, axes with round steps, TrueType labels sized to the
// picture, a legend, and the run quality underneath; without a calibration,
// how to get one. The picture depends on the arguments alone. A renderer keeps
// its own font (and the font its own FreeType library), so renderers on
// different threads share nothing; one renderer is for one thread at a time.
class VelocityRenderer {
public:
    VelocityRenderer();
    ~VelocityRenderer();
    VelocityRenderer(const VelocityRenderer&) = delete;
    VelocityRenderer& operator=(const VelocityRenderer&) = delete;

    // Paints the whole canvas. Each trace spans the field's height on a count
    // scale of its own: the first has the left axis, the second the right one
    // in its colour. Traces whose spectrum holds no counts are in the legend
    // but not on the axes.
    VelocityPlotFrame Draw(RgbCanvas& canvas, const std::vector<VelocityTrace>& traces,
                           const analysis::Calibration* calibration,
                           const VelocityPlotOptions& options);
    // The canvas white with one line of text in its middle.
    void DrawMessage(RgbCanvas& canvas, const std::string& text);
    // Why labels are missing, when the system has no usable font.
    const std::string& FontProblem() const { return m_fontProblem; }

private:
    CanvasFont* FontFor(const RgbCanvas& canvas);

    std::unique_ptr<CanvasFont> m_font;
    std::string m_fontProblem;
    bool m_fontTried = false;
};

inline constexpr const char* kNoCalibrationText =
    "No velocity calibration yet: count an \u03b1-iron foil, then Service > Calibrate on "
    "\u03b1-iron and Use.";

}  // namespace qv

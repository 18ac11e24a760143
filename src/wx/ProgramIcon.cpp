#include "ProgramIcon.h"

#include <cmath>
#include <vector>

#include <wx/dc.h>

#include "TransparentPicture.h"

namespace qv {
namespace {

// Counts of a single Lorentzian absorption line at fraction x of the width.
double LineShape(double x) {
    const double offset = (x - 0.5) / 0.09;
    return 1.0 - 0.7 / (1.0 + offset * offset);
}

std::vector<wxPoint> AbsorptionCurve(int size) {
    std::vector<wxPoint> points;
    const int margin = size / 8;
    const int top = size / 4;
    const int depth = size - 2 * margin - top;
    for (int x = margin; x <= size - margin; ++x) {
        const double fraction = double(x - margin) / (size - 2 * margin);
        points.emplace_back(x, top + int(std::lround((1.0 - LineShape(fraction)) * depth)));
    }
    return points;
}

}  // namespace

wxBitmap ProgramPicture(int size) {
    return TransparentPicture(size, size, [size](wxDC& dc) {
        dc.SetPen(wxPen(wxColour(20, 40, 110)));
        dc.SetBrush(wxBrush(wxColour(30, 60, 150)));
        dc.DrawRoundedRectangle(0, 0, size, size, size / 6.0);
        const auto curve = AbsorptionCurve(size);
        dc.SetPen(wxPen(wxColour(255, 220, 60), std::max(1, size / 16)));
        dc.DrawLines(int(curve.size()), curve.data());
    });
}

wxIconBundle ProgramIcons() {
    wxIconBundle icons;
    for (int size : {16, 32, 48, 64}) {
        wxIcon icon;
        icon.CopyFromBitmap(ProgramPicture(size));
        icons.AddIcon(icon);
    }
    return icons;
}

}  // namespace qv

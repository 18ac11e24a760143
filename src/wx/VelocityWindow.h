#pragma once

#include <optional>

#include <wx/frame.h>

#include "framework/RgbCanvas.h"
#include "view/VelocityRenderer.h"

namespace qv {

class CQvDoc;
class ProgramCalibration;

// View > Velocity spectrum: the open measurement's Qv1 and Qv2 folded with
// the program's calibration and drawn against velocity by the renderer that
// qvtool render --velocity uses; the status bar reads velocity and counts
// under the mouse. Redrawn whenever the spectrum view is, so it grows with
// every refresh.
class VelocityWindow : public wxFrame {
public:
    VelocityWindow(wxWindow* owner, const CQvDoc& document, const ProgramCalibration& calibration);

    // The spectra or the calibration may have changed.
    void Redraw();
    // The picture as last shown; nothing before the first paint.
    const RgbCanvas* Shown() const { return m_canvas ? &*m_canvas : nullptr; }
    int Paints() const { return m_paints; }
    const VelocityPlotFrame& PlotFrame() const { return m_frame; }
    wxWindow* PlotWindow() const { return m_plot; }
    // Qv1, Qv2, the alpha-iron line markers and the fitted sextet, as the Show menu sets them.
    enum Item { kShowQv1 = 1, kShowQv2, kShowMarkers, kShowFit };
    void SetShown(Item item, bool on);

private:
    void CreateShowMenu();
    void OnShowItem(wxCommandEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    std::vector<VelocityTrace> Traces() const;

    const CQvDoc& m_document;
    const ProgramCalibration& m_calibration;
    wxWindow* m_plot = nullptr;  // the panel the plot is painted on
    VelocityRenderer m_renderer;
    std::optional<RgbCanvas> m_canvas;
    VelocityPlotFrame m_frame;
    bool m_showQv1 = true;
    bool m_showQv2 = true;
    VelocityPlotOptions m_options;
    int m_paints = 0;
};

}  // namespace qv

#pragma once

#include <functional>

#include <wx/timer.h>
#include <wx/window.h>

namespace qv {

// A compact up-down control like the Windows one: two arrow halves beside an
// edit box, repeating while held. GTK's own spin button needs more room than
// dialog templates give it.
class SpinArrows : public wxWindow {
public:
    using Step = std::function<void(int delta)>;
    SpinArrows(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size);
    void OnStep(Step step) { m_step = std::move(step); }

private:
    void OnPaint(wxPaintEvent& event);
    void OnPress(wxMouseEvent& event);
    void OnRelease(wxMouseEvent& event);
    void OnRepeat(wxTimerEvent& event);
    void DrawHalf(wxDC& dc, const wxRect& rect, bool up);

    Step m_step;
    wxTimer m_repeat;
    int m_held = 0;  // +1 upper half pressed, -1 lower half, 0 none
};

}  // namespace qv

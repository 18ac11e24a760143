#pragma once

#include <functional>
#include <optional>

#include <wx/scrolwin.h>

#include "framework/RgbCanvas.h"
#include "view/QvView.h"
#include "view/ViewHost.h"

namespace qv {

class CQvDoc;
class WxUi;

// The window of the spectrum view: it paints the view into an RGB canvas that
// it keeps between paints (the cursor drag repaints only bands of it) and
// shows the canvas; scroll bars count in pixels; mouse moves go to the view.
class SpectrumWindow : public wxScrolledCanvas, public ViewHost {
public:
    SpectrumWindow(wxWindow* parent, WxUi& ui, CQvDoc& document);

    CQvView& View() { return m_view; }
    // The client pixels as last shown; nothing before the first paint.
    const RgbCanvas* Shown() const { return m_canvas ? &*m_canvas : nullptr; }
    int Paints() const { return m_paints; }
    // Puts the data parameters panel over the top right corner of the view.
    void PlacePanel();
    // Called at every repaint the view asks for: after a refresh, for one.
    void OnViewInvalidated(std::function<void()> listener) { m_invalidated = std::move(listener); }

    CSize ClientSize() const override;
    CPoint ScrollPosition() const override;
    void Invalidate(bool erase) override;
    void SetScrollBars(const ScrollSizes& sizes) override;
    void RemoveScrollBars() override;
    void ShowStatus(const std::string& text) override;

    // Every repaint request, ours or the toolkit's, remembers whether it asked
    // for the background to be erased.
    void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnScroll(wxScrollWinEvent& event);
    void ScrollTo(CPoint position);
    RgbCanvas& CanvasForPaint(wxSize size);

    WxUi& m_ui;
    CQvView m_view;
    std::optional<RgbCanvas> m_canvas;
    std::optional<ScrollSizes> m_scrollSizes;
    std::function<void()> m_invalidated;
    bool m_erase = true;
    int m_paints = 0;
};

}  // namespace qv

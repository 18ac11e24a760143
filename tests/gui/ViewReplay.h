#pragma once

#include <wx/image.h>

#include "framework/HeadlessUi.h"
#include "framework/RgbCanvas.h"
#include "view/QvView.h"

namespace qv::test {

// The same view without a window: a kept canvas of a fixed size, painted
// after every request, as the desktop window does. What it shows after a
// series of mouse moves is what the window must show after the same moves.
class ViewReplay : public ViewHost {
public:
    ViewReplay(CQvDoc& document, CSize client);

    CQvView& View() { return m_view; }
    void Move(unsigned flags, CPoint point);
    wxImage Image() const;

    CSize ClientSize() const override { return m_client; }
    CPoint ScrollPosition() const override { return {}; }
    void Invalidate(bool erase) override { m_erase = m_erase || erase; }
    void SetScrollBars(const ScrollSizes&) override {}
    void RemoveScrollBars() override {}

private:
    void Paint();

    HeadlessUi m_ui;
    CSize m_client;
    CQvView m_view;
    RgbCanvas m_canvas;
    bool m_erase = false;
};

}  // namespace qv::test

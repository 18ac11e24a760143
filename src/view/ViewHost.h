#pragma once

#include <string>

#include "framework/DeviceContext.h"

namespace qv {

// Scroll bar ranges of the zoomed view, in pixels.
struct ScrollSizes {
    CSize total;
    CSize page;  // one click in the bar's trough
    CSize line;  // one click on an arrow
    friend bool operator==(const ScrollSizes&, const ScrollSizes&) = default;
};

// The window that shows the spectrum view. The view is toolkit-neutral: it
// paints into a CDC and asks its host for everything that belongs to the
// window. The wx front end implements it with a scrolled window; qvtool and
// the tests with a fixed size.
class ViewHost {
public:
    virtual ~ViewHost() = default;
    // Size of the client area in pixels (without the scroll bars).
    virtual CSize ClientSize() const = 0;
    // Pixels scrolled from the top left of the total area; 0, 0 without scroll bars.
    virtual CPoint ScrollPosition() const = 0;
    // Repaint the whole client area; erase: clear it to the window background
    // first (the view's paint covers the field itself either way).
    virtual void Invalidate(bool erase) = 0;
    // Show scroll bars over a total area of sizes.total pixels; a bar whose
    // direction fits into the client area stays hidden, as with any scrolled
    // window. Keeps the scroll position where it is still valid.
    virtual void SetScrollBars(const ScrollSizes& sizes) = 0;
    // Remove both scroll bars and return to position 0, 0.
    virtual void RemoveScrollBars() = 0;
    // Puts text in the main window's status bar; a host without one drops it.
    virtual void ShowStatus(const std::string& text) { static_cast<void>(text); }
};

}  // namespace qv

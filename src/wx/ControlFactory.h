#pragma once

#include <functional>

#include <wx/gdicmn.h>

#include "framework/DialogTemplate.h"

class wxWindow;

namespace qv {

// Builds the widget of one template control at its pixel rectangle. The
// picture of a Bitmap control comes from pictureOf(resource number).
struct ControlFactory {
    wxWindow* parent = nullptr;
    std::function<wxBitmap(int resource, wxSize size)> pictureOf;

    wxWindow* Create(const ControlTemplate& control, const wxRect& rect) const;
};

// wx window id of a template control; labels nothing addresses get any id.
int WidgetId(const ControlTemplate& control);

}  // namespace qv

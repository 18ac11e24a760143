#pragma once

#include <wx/font.h>

#include "framework/DialogTemplate.h"

namespace qv {

// The font a dialog template asks for, mapped to one this desktop has:
// "MS Sans Serif" becomes the default GUI font, any other face is asked for by
// name (the desktop substitutes a metric-compatible one for "Arial"), both at
// the template's point size. Dialog units follow from this font.
wxFont MapDialogFont(const DialogFont& font);

}  // namespace qv

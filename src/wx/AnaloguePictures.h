#pragma once

#include <wx/bitmap.h>

namespace qv {

// Bitmap 134 of the analogue block editor: the input chain from the two
// inputs through polarity and gain to the signal and trigger paths, with the
// four TestOut points led to the buttons at its left edge.
wxBitmap AnalogueChainPicture(wxSize size);

// Bitmap 135: the signal pulse, the trigger, the base and peak capture strobes
// after their delays and the pile-on-tile window.
wxBitmap AnalogueTimingPicture(wxSize size);

}  // namespace qv

#pragma once

#include <functional>
#include <string>

#include "WindowDriver.h"

namespace qv {
class CDialog;
class CQvDoc;
}  // namespace qv

namespace qv::test {

// The operator at one modal window, called at every tick of a fast timer
// while it runs; true once the play is over and the window closed.
using ModalPlay = std::function<bool(WindowDriver&, CDialog&)>;

struct CountRateReading {
    std::string qv2, qv1;
};
// Waits for the first rates, checks that the largest rate fits its box and
// that the next tick overwrites what was typed, then keeps a picture.
ModalPlay PlayCountRate(CountRateReading& reading);

// The analogue block editor: InputB, where the virtual card's two-pulse
// stimulator is, to the card.
bool PlaySelectStimulator(WindowDriver& d, CDialog& model);

struct PeakReading {
    std::string mean, left, right, scope, integral, max, stdDev;
};
struct SliderReading {
    PeakReading peak1, peak2;
};
// Clears Aa and follows two refreshes, then one "Single Update"; checks both
// peaks against the spectra the document holds after each measurement.
ModalPlay PlaySliderAdjust(const CQvDoc& document, SliderReading& reading);

}  // namespace qv::test

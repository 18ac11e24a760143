#pragma once

#include "framework/DeviceContext.h"

namespace qv {

// Drawing space: x is the channel, y runs from 0 at the top to 768 at the bottom.
inline constexpr int kFieldWidth = 4096;
inline constexpr int kFieldHeight = 768;
inline constexpr CSize kFieldSize{kFieldWidth, kFieldHeight};
inline constexpr int kLastChannel = kFieldWidth - 1;

// The acquisition timer of the view.
inline constexpr int kViewTimerId = 103;
inline constexpr unsigned kViewTimerPeriodMs = 1500;

// Mouse button flags of a mouse-move message.
inline constexpr unsigned MK_LBUTTON = 0x0001;
inline constexpr unsigned MK_RBUTTON = 0x0002;

// Pens, brushes and curve colours.
inline constexpr Rgb kFieldColour{192, 192, 192};
inline constexpr Rgb kCursorColour{128, 128, 128};
inline constexpr Rgb kSumColour{255, 0, 0};
inline constexpr Rgb kAntiCoincColour{0, 0, 255};
inline constexpr Rgb kCoincColour{0, 255, 0};
inline constexpr Rgb kQv1Colour{255, 0, 255};
inline constexpr Rgb kQv2Colour{0, 255, 255};

}  // namespace qv

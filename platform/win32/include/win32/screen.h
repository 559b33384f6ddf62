// The screen as the host program shows it: the layered windows composited over a
// picture of part of the screen, in z-order with their per-pixel alpha, for
// snapshots. The host's renderer paints what lies beneath (the drawing view).
#pragma once
#include <cstdint>

#include "win32/export.h"
#include "wtypes.h"

namespace win32::screen {

// pixels: a picture of the screen rectangle `area`, width x height 32-bit pixels,
// rows `strideBytes` apart, premultiplied alpha in 0xAARRGGBB words (the layout of
// a top-down 32-bit DIB and of cairo's ARGB32). Every visible layered top-level
// window is drawn over it, bottom first, clipped to the picture. width and height
// must match the area's size.
W32_EXPORT bool compositeLayeredWindows(std::uint32_t* pixels, int width, int height, int strideBytes, RECT area);

// As compositeLayeredWindows, and the visible dialogs (modal and modeless, with
// their visible controls) painted where they stand, everything in z-order, bottom
// first: what a user sees over the picture. strideBytes must be cairo's stride
// for an ARGB32 picture of that width.
W32_EXPORT bool compositeWindows(std::uint32_t* pixels, int width, int height, int strideBytes, RECT area);

}  // namespace win32::screen

// The input points of the drawing view: where the cursor rests, in world units,
// with the entities in the aperture, told to the point monitors of the current
// document.
#pragma once

namespace arx {

// The cursor is at pixel (px, py) of the drawing view: every point monitor of
// the current document hears of it through the two-argument monitorInputPoint.
// False when no drawing is open.
bool sendInputPoint(double px, double py);

}  // namespace arx

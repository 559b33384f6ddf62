// Whether what an entity drew passes near a point (the pick box) or meets a
// window, in the plan view. Used by object selection.
#pragma once
#include "display_list.h"

namespace arx::gi {

struct Rect {
    double minX, minY, maxX, maxY;
};

// Something drawn passes within tolerance of (x, y): a stroke within the
// tolerance of its centre line plus half its width, a filled area containing
// the point or within the tolerance of its edge.
bool passesNear(const DisplayList& list, double x, double y, double tolerance, double pixelsPerUnit);
// Everything drawn lies inside the window.
bool insideWindow(const DisplayList& list, const Rect& r);
// Something drawn lies inside the window or crosses its edge.
bool meetsWindow(const DisplayList& list, const Rect& r, double pixelsPerUnit);

}  // namespace arx::gi

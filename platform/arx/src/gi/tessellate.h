// A display list's primitives as straight pieces in the plan view (x and y of
// world coordinates): the segments of each stroke with the half width it is
// drawn with, and the closed outlines of what is filled. Picking and window
// selection work on these; the renderer paints curves the same way.
#pragma once
#include <functional>

#include "display_list.h"

namespace arx::gi {

// Segments per full turn for an arc of a given radius seen at a given size of
// one world unit in pixels: enough that no chord strays half a pixel.
int arcSegments(double radius, double sweep, double pixelsPerUnit);

struct Piece {
    // A segment a-b drawn halfWidth wide on each side (0: a hairline), or,
    // when outline is not empty, a filled area bounded by outline.
    AcGePoint3d a, b;
    double halfWidth = 0;
    std::vector<AcGePoint3d> outline;
};

// Calls f for every piece of one primitive. A wide polyline segment narrower
// than 1.5 pixels comes as its centre line, with its half width.
void forEachPiece(const DisplayList& list, const Primitive& p, double pixelsPerUnit,
                  const std::function<void(const Piece&)>& f);

// The box of a text primitive: corners in world coordinates, in order round.
void textBox(const DisplayList& list, const Primitive& p, AcGePoint3d corners[4]);

}  // namespace arx::gi

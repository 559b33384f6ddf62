// What entities draw, for the host program's tests: an entity's drawing as the
// host records it through the graphics interface (every primitive with the
// traits it was drawn with), and the state of the current view's regeneration.
#pragma once
#include <string>
#include <vector>

#include "acgi.h"
#include "dbmain.h"

namespace arxhost {

struct DrawnPrimitive {
    enum Kind { kPolyline, kPolygon, kCircle, kArc, kText, kPline };
    Kind kind = kPolyline;
    // Traits.
    AcCmEntityColor color;
    AcDbObjectId layer;
    AcDbObjectId linetype;  // null: none was set
    double linetypeScale = 1.0;
    bool filled = false;
    // Polylines and polygons: the vertices. Plines: the vertices, and per
    // segment the bulge and the start and end widths.
    std::vector<AcGePoint3d> points;
    std::vector<double> bulges, startWidths, endWidths;
    // Circles and arcs.
    AcGePoint3d center;
    double radius = 0;
    AcGeVector3d normal;
    AcGeVector3d startVector;
    double sweep = 0;
    AcGiArcType arcType = kAcGiArcSimple;
    // Text.
    AcGePoint3d position;
    AcGeVector3d direction;
    double height = 0, widthFactor = 1, oblique = 0;
    std::wstring text;
};

struct Drawing {
    bool opened = false;  // the entity could be opened to draw
    std::vector<DrawnPrimitive> primitives;
    AcDbExtents extents;
    bool viewDependent = false;  // it asked where the view is while drawing
};

// Draws the entity now, for the screen or for a plot, as the host would.
Drawing drawEntity(AcDbObjectId id, bool forPlot = false);
// What the current view holds for the entity after bringing itself up to date;
// opened is false when the entity is not shown there.
Drawing shownDrawing(AcDbObjectId id);
// Brings the current view up to date; the number of entities drawn.
size_t regenerateView();
// Draws the current space again whole (REGEN); the number of entities drawn.
size_t regenerateAll();
// How many entities the current view's last regeneration drew (whoever asked for it).
size_t lastRegenerationCount();

}  // namespace arxhost

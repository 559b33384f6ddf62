// A display list: what one entity drew through the graphics interface, in world
// coordinates, with the traits each primitive was drawn with. The regeneration
// keeps one list per entity of the space shown; the renderer paints them and
// the editor picks entities with them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "acgi.h"
#include "dbmain.h"

class AcDbStub;

namespace arx::gi {

// The properties a primitive is drawn with, as the entity set them: colours and
// linetypes by layer or by block stay so, and are resolved when painted.
struct Traits {
    AcCmEntityColor color{AcCmEntityColor::kByLayer};
    AcDbStub* layer = nullptr;
    AcDbStub* linetype = nullptr;  // null: no linetype set (continuous)
    double linetypeScale = 1.0;
    Adesk::Int16 lineWeight = AcDb::kLnWtByLayer;
    bool filled = false;
    Adesk::LongPtr marker = 0;
    bool operator==(const Traits& o) const
    {
        return color == o.color && layer == o.layer && linetype == o.linetype && linetypeScale == o.linetypeScale &&
               lineWeight == o.lineWeight && filled == o.filled && marker == o.marker;
    }
};

enum class Kind : std::uint8_t {
    kPolyline,  // points[first .. first+count): an open chain
    kPolygon,   // points[first .. first+count): closed, filled when its traits say so
    kCircle,    // numbers[first]: centre xyz, radius, normal xyz
    kArc,       // numbers[first]: centre xyz, radius, normal xyz, start vector xyz (unit), sweep
    kText,      // numbers[first]: position xyz, normal xyz, direction xyz (unit), height, width, oblique;
                // the characters text[count .. count+extra)
    kPline,     // points[first .. first+count): vertices; numbers[extra]: the normal xyz, then
                // bulge, start and end width per segment (one triple for a lone vertex)
};

struct Primitive {
    Kind kind;
    AcGiArcType arcType = kAcGiArcSimple;  // arcs: simple, sector or chord
    std::uint32_t traits = 0;              // index into DisplayList::traits
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    std::uint32_t extra = 0;
};

struct DisplayList {
    std::vector<Primitive> prims;
    std::vector<Traits> traits;
    std::vector<AcGePoint3d> points;
    std::vector<double> numbers;
    std::wstring text;  // the characters of every text primitive, one after another
    AcDbExtents extents;  // of everything drawn; invalid when nothing was
    // The entity asked where the view is while it drew: a view change redraws it.
    bool viewDependent = false;

    void clear()
    {
        prims.clear();
        traits.clear();
        points.clear();
        numbers.clear();
        text.clear();
        extents = AcDbExtents();
        viewDependent = false;
    }
    bool empty() const { return prims.empty(); }
    std::wstring_view textOf(const Primitive& p) const { return std::wstring_view(text).substr(p.count, p.extra); }
};

// The unit vector that the first axis of a circle's plane lies along (the
// direction its zero angle points): the arbitrary axis of the normal.
AcGeVector3d planeXAxis(const AcGeVector3d& normal);
// Points along a circular arc, first and last included (segments + 1 points).
void arcPoints(const AcGePoint3d& center, double radius, const AcGeVector3d& normal, const AcGeVector3d& startVector,
               double sweep, int segments, std::vector<AcGePoint3d>& out);
// The arc of a lightweight polyline segment from a to b with a bulge (the
// tangent of a quarter of its included angle): centre, radius and sweep (signed,
// counter-clockwise positive about +Z of the segment's plane).
struct BulgeArc {
    AcGePoint3d center;
    double radius = 0;
    double startAngle = 0;
    double sweep = 0;
};
BulgeArc bulgeArc(const AcGePoint2d& a, const AcGePoint2d& b, double bulge);

}  // namespace arx::gi

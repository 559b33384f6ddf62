// The curve arithmetic shared by recording, painting and picking: the axes of a
// plane, points along arcs, and the arc a polyline's bulge stands for.
#include <cmath>

#include "display_list.h"

namespace arx::gi {

AcGeVector3d planeXAxis(const AcGeVector3d& normal)
{
    AcGeVector3d n = normal.normal();
    if (n.isZeroLength()) n = AcGeVector3d::kZAxis;
    return n.perpVector();
}

void arcPoints(const AcGePoint3d& center, double radius, const AcGeVector3d& normal, const AcGeVector3d& startVector,
               double sweep, int segments, std::vector<AcGePoint3d>& out)
{
    AcGeVector3d n = normal.normal();
    if (n.isZeroLength()) n = AcGeVector3d::kZAxis;
    AcGeVector3d u = startVector - n * startVector.dotProduct(n);
    u = u.isZeroLength() ? planeXAxis(n) : u.normal();
    AcGeVector3d v = n.crossProduct(u);
    if (segments < 1) segments = 1;
    for (int i = 0; i <= segments; ++i) {
        double a = sweep * i / segments;
        out.push_back(center + u * (radius * std::cos(a)) + v * (radius * std::sin(a)));
    }
}

BulgeArc bulgeArc(const AcGePoint2d& a, const AcGePoint2d& b, double bulge)
{
    BulgeArc arc;
    AcGeVector2d chord = b - a;
    double c = chord.length();
    double sweep = 4 * std::atan(bulge);
    arc.sweep = sweep;
    if (c == 0 || bulge == 0) return arc;
    // The sagitta runs to the left of the chord for a positive bulge.
    double radius = c / (2 * std::sin(std::fabs(sweep) / 2));
    double toCenter = radius * std::cos(std::fabs(sweep) / 2);
    AcGeVector2d unit(chord.x / c, chord.y / c);
    AcGeVector2d left(-unit.y, unit.x);
    double side = bulge > 0 ? 1 : -1;
    AcGePoint2d mid(a.x + chord.x / 2, a.y + chord.y / 2);
    AcGePoint2d centre(mid.x + left.x * toCenter * side, mid.y + left.y * toCenter * side);
    arc.center.set(centre.x, centre.y, 0);
    arc.radius = radius;
    arc.startAngle = std::atan2(a.y - centre.y, a.x - centre.x);
    return arc;
}

}  // namespace arx::gi

// Geometry shared by the planar entities: the entity coordinate system of a
// normal (DXF's arbitrary axis algorithm), angles, arc extents, and what a
// transformation does to a plane.
#pragma once
#include <cmath>

#include "dbmain.h"

namespace arx {

struct Ocs {
    AcGeVector3d x, y, z;
    explicit Ocs(const AcGeVector3d& normal)
    {
        z = normal.normal();
        if (z.isZeroLength()) z = AcGeVector3d::kZAxis;
        x = z.perpVector();
        y = z.crossProduct(x).normal();
    }
    AcGePoint3d toWorld(const AcGePoint3d& p) const
    {
        return AcGePoint3d::kOrigin + x * p.x + y * p.y + z * p.z;
    }
    AcGePoint3d toOcs(const AcGePoint3d& w) const
    {
        AcGeVector3d v = w.asVector();
        return {v.dotProduct(x), v.dotProduct(y), v.dotProduct(z)};
    }
};

// Angle normalised into [0, 2 pi).
inline double normalizeAngle(double a)
{
    a = std::fmod(a, 2 * M_PI);
    return a < 0 ? a + 2 * M_PI : a;
}

// Whether angle a lies on the counter-clockwise sweep from start to end.
inline bool angleInSweep(double a, double start, double end)
{
    a = normalizeAngle(a - start);
    double sweep = normalizeAngle(end - start);
    if (sweep == 0) sweep = 2 * M_PI;
    return a <= sweep;
}

// Extents of a circular arc (a full circle when start equals end + 2 pi).
void addArcExtents(AcDbExtents& ext, const AcGePoint3d& center, const AcGeVector3d& normal, double radius,
                   double start, double end, bool full);

// A uniform transformation of a plane's data: the new normal (the old one
// transformed), the scale, and whether it mirrors (then arcs run the other way
// round the new normal). Fails for a non-uniform scale.
bool uniformTransform(const AcGeMatrix3d& xform, const AcGeVector3d& normal, AcGeVector3d& newNormal,
                      double& scale, bool& mirror);

}  // namespace arx

// Arc extents and uniform transformations of planes, shared by the circle, the
// arc, the polyline and the text; see planar.h.
#include "planar.h"

namespace arx {

void addArcExtents(AcDbExtents& ext, const AcGePoint3d& center, const AcGeVector3d& normal, double radius,
                   double start, double end, bool full)
{
    Ocs ocs(normal);
    auto at = [&](double t) { return center + ocs.x * (radius * std::cos(t)) + ocs.y * (radius * std::sin(t)); };
    if (!full) {
        ext.addPoint(at(start));
        ext.addPoint(at(end));
    }
    // Along each world axis the arc is extreme where its tangent is square to it.
    for (int i = 0; i < 3; ++i) {
        double xi = ocs.x[static_cast<unsigned>(i)], yi = ocs.y[static_cast<unsigned>(i)];
        if (std::fabs(xi) < 1e-15 && std::fabs(yi) < 1e-15) continue;
        double t0 = std::atan2(yi, xi);
        for (double t : {t0, t0 + M_PI})
            if (full || angleInSweep(t, start, end)) ext.addPoint(at(t));
    }
    if (full && !ext.isValid()) ext.addPoint(center);
}

bool uniformTransform(const AcGeMatrix3d& xform, const AcGeVector3d& normal, AcGeVector3d& newNormal, double& scale,
                      bool& mirror)
{
    if (!xform.isUniScaledOrtho()) return false;
    scale = xform.scale();
    AcGeVector3d n = normal;
    n.transformBy(xform);
    newNormal = n.normal();
    mirror = xform.det() < 0;
    return !newNormal.isZeroLength();
}

}  // namespace arx

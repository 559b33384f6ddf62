// AcDbExtents: the box an entity's geometry fills, empty until a point is added.
#include <algorithm>

#include "dbmain.h"

AcDbExtents::AcDbExtents() : mMin(1e20, 1e20, 1e20), mMax(-1e20, -1e20, -1e20) {}
AcDbExtents::AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) : mMin(min), mMax(max) {}

Acad::ErrorStatus AcDbExtents::set(const AcGePoint3d& min, const AcGePoint3d& max)
{
    if (min.x > max.x || min.y > max.y || min.z > max.z) return Acad::eInvalidExtents;
    mMin = min;
    mMax = max;
    return Acad::eOk;
}

void AcDbExtents::addPoint(const AcGePoint3d& p)
{
    mMin.set(std::min(mMin.x, p.x), std::min(mMin.y, p.y), std::min(mMin.z, p.z));
    mMax.set(std::max(mMax.x, p.x), std::max(mMax.y, p.y), std::max(mMax.z, p.z));
}

void AcDbExtents::addExt(const AcDbExtents& e)
{
    if (!e.isValid()) return;
    addPoint(e.mMin);
    addPoint(e.mMax);
}

void AcDbExtents::expandBy(const AcGeVector3d& v)
{
    addPoint(mMin + v);
    addPoint(mMax + v);
}

void AcDbExtents::transformBy(const AcGeMatrix3d& m)
{
    if (!isValid()) return;
    AcDbExtents out;
    for (int i = 0; i < 8; ++i) {
        AcGePoint3d p((i & 1) ? mMax.x : mMin.x, (i & 2) ? mMax.y : mMin.y, (i & 4) ? mMax.z : mMin.z);
        out.addPoint(p.transformBy(m));
    }
    *this = out;
}

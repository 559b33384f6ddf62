// AcDbCircle: a full circle about a centre in world coordinates, in the plane
// of its normal, with the thickness of an extrusion along it.
#include "circle_section.h"
#include "dbents.h"
#include "planar.h"
#include "../db/builtin.h"

ARX_DEFINE_BUILTIN(AcDbCircle, AcDbCurve, L"CIRCLE")

AcDbCircle::AcDbCircle() = default;
AcDbCircle::AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
    : mCenter(center), mRadius(radius), mNormal(normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal())
{
}
AcDbCircle::~AcDbCircle() = default;

AcGePoint3d AcDbCircle::center() const { assertReadEnabled(); return mCenter; }
double AcDbCircle::radius() const { assertReadEnabled(); return mRadius; }
double AcDbCircle::thickness() const { assertReadEnabled(); return mThickness; }
AcGeVector3d AcDbCircle::normal() const { assertReadEnabled(); return mNormal; }
Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& pt) { assertWriteEnabled(); mCenter = pt; return Acad::eOk; }
Acad::ErrorStatus AcDbCircle::setRadius(double r)
{
    if (!(r > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mRadius = r;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbCircle::setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }
Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& n)
{
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = n.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subGetGeomExtents(AcDbExtents& ext) const
{
    arx::addArcExtents(ext, mCenter, mNormal, mRadius, 0, 2 * M_PI, true);
    if (mThickness != 0) ext.expandBy(mNormal * mThickness);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subTransformBy(const AcGeMatrix3d& xform)
{
    AcGeVector3d n;
    double s = 1;
    bool mirror = false;
    if (!arx::uniformTransform(xform, mNormal, n, s, mirror)) return Acad::eCannotScaleNonUniformly;
    mCenter.transformBy(xform);
    mRadius *= s;
    mThickness *= s;
    mNormal = n;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subGetGripPoints(AcGePoint3dArray& grips, AcDbIntArray&, AcDbIntArray&) const
{
    arx::Ocs ocs(mNormal);
    grips.append(mCenter);
    grips.append(mCenter + ocs.x * mRadius);
    grips.append(mCenter + ocs.y * mRadius);
    grips.append(mCenter - ocs.x * mRadius);
    grips.append(mCenter - ocs.y * mRadius);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    AcGePoint3dArray grips;
    AcDbIntArray a, b;
    subGetGripPoints(grips, a, b);
    for (int i : indices) {
        if (i == 0) {
            mCenter += offset;
        } else if (i > 0 && i < grips.length()) {
            double r = (grips[i] + offset).distanceTo(mCenter);
            if (r > 0) mRadius = r;
        }
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    arx::writeCircleFields(filer, mCenter, mRadius, mThickness, mNormal);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbCircle::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return arx::readCircleFields(filer, mCenter, mRadius, mThickness, mNormal);
}

Acad::ErrorStatus AcDbCircle::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return arx::writeCircleSection(filer, this, mCenter, mRadius, mThickness, mNormal);
}

Acad::ErrorStatus AcDbCircle::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if ((es = arx::readCircleSection(filer, this, mCenter, mRadius, mThickness, mNormal)) != Acad::eOk) return es;
    return filer->filerStatus();
}

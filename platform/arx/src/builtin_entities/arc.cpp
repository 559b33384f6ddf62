// AcDbArc: a part of a circle, from its start angle counter-clockwise about the
// normal to its end angle. Its DXF record holds the circle's section first,
// then its own angles.
#include "circle_section.h"
#include "dbents.h"
#include "planar.h"
#include "../db/builtin.h"
#include "../db/dxf_fields.h"

ARX_DEFINE_BUILTIN(AcDbArc, AcDbCurve, L"ARC")

namespace {

// The AcDbArc section as the file holds it.
struct ArcValues {
    double startAngle;
    double endAngle;
};

constexpr auto kArcSection = arx::dxfSection<ArcValues>("AcDbArc",
    arx::field::angle(50, &ArcValues::startAngle),
    arx::field::angle(51, &ArcValues::endAngle));

}  // namespace

AcDbArc::AcDbArc() = default;
AcDbArc::AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle)
    : mCenter(center), mRadius(radius), mStartAngle(arx::normalizeAngle(startAngle)),
      mEndAngle(arx::normalizeAngle(endAngle))
{
}
AcDbArc::AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle,
                 double endAngle)
    : mCenter(center), mRadius(radius), mStartAngle(arx::normalizeAngle(startAngle)),
      mEndAngle(arx::normalizeAngle(endAngle)), mNormal(normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal())
{
}
AcDbArc::~AcDbArc() = default;

AcGePoint3d AcDbArc::center() const { assertReadEnabled(); return mCenter; }
double AcDbArc::radius() const { assertReadEnabled(); return mRadius; }
double AcDbArc::startAngle() const { assertReadEnabled(); return mStartAngle; }
double AcDbArc::endAngle() const { assertReadEnabled(); return mEndAngle; }
double AcDbArc::thickness() const { assertReadEnabled(); return mThickness; }
AcGeVector3d AcDbArc::normal() const { assertReadEnabled(); return mNormal; }
Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& pt) { assertWriteEnabled(); mCenter = pt; return Acad::eOk; }
Acad::ErrorStatus AcDbArc::setRadius(double r)
{
    if (!(r > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mRadius = r;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbArc::setStartAngle(double a) { assertWriteEnabled(); mStartAngle = arx::normalizeAngle(a); return Acad::eOk; }
Acad::ErrorStatus AcDbArc::setEndAngle(double a) { assertWriteEnabled(); mEndAngle = arx::normalizeAngle(a); return Acad::eOk; }
Acad::ErrorStatus AcDbArc::setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }
Acad::ErrorStatus AcDbArc::setNormal(const AcGeVector3d& n)
{
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = n.normal();
    return Acad::eOk;
}

AcGePoint3d AcDbArc::pointAt(double angle) const
{
    arx::Ocs ocs(mNormal);
    return mCenter + ocs.x * (mRadius * std::cos(angle)) + ocs.y * (mRadius * std::sin(angle));
}
AcGePoint3d AcDbArc::startPoint() const { assertReadEnabled(); return pointAt(mStartAngle); }
AcGePoint3d AcDbArc::endPoint() const { assertReadEnabled(); return pointAt(mEndAngle); }

Acad::ErrorStatus AcDbArc::subGetGeomExtents(AcDbExtents& ext) const
{
    arx::addArcExtents(ext, mCenter, mNormal, mRadius, mStartAngle, mEndAngle, false);
    if (mThickness != 0) ext.expandBy(mNormal * mThickness);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::subTransformBy(const AcGeMatrix3d& xform)
{
    AcGeVector3d n;
    double s = 1;
    bool mirror = false;
    if (!arx::uniformTransform(xform, mNormal, n, s, mirror)) return Acad::eCannotScaleNonUniformly;
    AcGePoint3d start = pointAt(mStartAngle), end = pointAt(mEndAngle);
    start.transformBy(xform);
    end.transformBy(xform);
    mCenter.transformBy(xform);
    mRadius *= s;
    mThickness *= s;
    mNormal = n;
    // The angles of the moved end points in the new plane; a mirror reverses the sweep.
    arx::Ocs ocs(mNormal);
    auto angleOf = [&](const AcGePoint3d& p) {
        AcGeVector3d v = p - mCenter;
        return arx::normalizeAngle(std::atan2(v.dotProduct(ocs.y), v.dotProduct(ocs.x)));
    };
    double a = angleOf(start), b = angleOf(end);
    mStartAngle = mirror ? b : a;
    mEndAngle = mirror ? a : b;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::subGetGripPoints(AcGePoint3dArray& grips, AcDbIntArray&, AcDbIntArray&) const
{
    double sweep = arx::normalizeAngle(mEndAngle - mStartAngle);
    grips.append(pointAt(mStartAngle));
    grips.append(pointAt(mStartAngle + sweep / 2));
    grips.append(pointAt(mEndAngle));
    grips.append(mCenter);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    arx::Ocs ocs(mNormal);
    for (int i : indices) {
        if (i == 3) {
            mCenter += offset;
            continue;
        }
        double sweep = arx::normalizeAngle(mEndAngle - mStartAngle);
        AcGePoint3d p = (i == 0 ? pointAt(mStartAngle) : i == 1 ? pointAt(mStartAngle + sweep / 2) : pointAt(mEndAngle)) +
                        offset;
        AcGeVector3d v = p - mCenter;
        double angle = arx::normalizeAngle(std::atan2(v.dotProduct(ocs.y), v.dotProduct(ocs.x)));
        if (i == 0) mStartAngle = angle;
        if (i == 2) mEndAngle = angle;
        if (i == 1 && v.length() > 0) mRadius = v.length();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    arx::writeCircleFields(filer, mCenter, mRadius, mThickness, mNormal);
    filer->writeDouble(mStartAngle);
    filer->writeDouble(mEndAngle);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbArc::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    if ((es = arx::readCircleFields(filer, mCenter, mRadius, mThickness, mNormal)) != Acad::eOk) return es;
    filer->readDouble(&mStartAngle);
    return filer->readDouble(&mEndAngle);
}

Acad::ErrorStatus AcDbArc::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    arx::writeCircleSection(filer, this, mCenter, mRadius, mThickness, mNormal);
    return kArcSection.write(filer, this, {.startAngle = mStartAngle, .endAngle = mEndAngle});
}

Acad::ErrorStatus AcDbArc::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if ((es = arx::readCircleSection(filer, this, mCenter, mRadius, mThickness, mNormal)) != Acad::eOk) return es;
    ArcValues arc;
    if ((es = kArcSection.read(filer, this, arc)) != Acad::eOk) return es;
    mStartAngle = arx::normalizeAngle(arc.startAngle);
    mEndAngle = arx::normalizeAngle(arc.endAngle);
    return filer->filerStatus();
}

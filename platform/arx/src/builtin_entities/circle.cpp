// AcDbCircle and AcDbArc. In DXF their centre is in the entity's own coordinate
// system (which differs from the world's only when the normal is not +Z).
#include "dbents.h"
#include "planar.h"
#include "../db/builtin.h"
#include "../db/object_access.h"

ARX_DEFINE_BUILTIN(AcDbCircle, AcDbCurve, L"CIRCLE")
ARX_DEFINE_BUILTIN(AcDbArc, AcDbCurve, L"ARC")

namespace {

struct CircleSection {
    AcGePoint3d center;  // world
    double radius = 0;
    double thickness = 0;
    AcGeVector3d normal{0, 0, 1};
};

void writeCircleSection(AcDbDxfFiler* filer, const AcDbEntity* ent, const CircleSection& c)
{
    filer->writeString(AcDb::kDxfSubclass, L"AcDbCircle");
    if (c.thickness != 0) filer->writeDouble(AcDb::kDxfThickness, c.thickness);
    filer->writePoint3d(AcDb::kDxfXCoord, arx::Ocs(c.normal).toOcs(c.center));
    filer->writeDouble(AcDb::kDxfReal, c.radius);
    if (!arx::isDefaultNormal(c.normal)) filer->writeVector3d(AcDb::kDxfNormalX, c.normal);
    arx::writeKeptGroups(filer, ent, "AcDbCircle");
}

Acad::ErrorStatus readCircleSection(AcDbDxfFiler* filer, AcDbEntity* ent, CircleSection& c)
{
    filer->atSubclassData(L"AcDbCircle");
    resbuf rb;
    Acad::ErrorStatus es;
    AcGePoint3d ocsCenter;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        switch (rb.restype) {
        case 10: ocsCenter.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]); break;
        case 40: c.radius = rb.resval.rreal; break;
        case 39: c.thickness = rb.resval.rreal; break;
        case 210: {
            arx::normalFromFile(rb.resval.rpoint, c.normal);
            break;
        }
        case 100: filer->pushBackItem(); goto done;
        default: arx::keepCurrentGroup(filer, ent, "AcDbCircle"); break;
        }
    }
    if (es != Acad::eEndOfFile) return es;
done:
    if (!(c.radius >= 0)) return filer->setError(Acad::eInvalidDxfCode, L"negative radius");
    c.center = arx::Ocs(c.normal).toWorld(ocsCenter);
    return Acad::eOk;
}

void writeCircleFields(AcDbDwgFiler* filer, const AcGePoint3d& center, double radius, double thickness,
                       const AcGeVector3d& normal)
{
    filer->writePoint3d(center);
    filer->writeDouble(radius);
    filer->writeDouble(thickness);
    filer->writeVector3d(normal);
}

Acad::ErrorStatus readCircleFields(AcDbDwgFiler* filer, AcGePoint3d& center, double& radius, double& thickness,
                                   AcGeVector3d& normal)
{
    filer->readPoint3d(&center);
    filer->readDouble(&radius);
    filer->readDouble(&thickness);
    Acad::ErrorStatus es = filer->readVector3d(&normal);
    if (es != Acad::eOk) return es;
    if (!(radius >= 0) || normal.isZeroLength()) return Acad::eDwgObjectImproperlyRead;
    return Acad::eOk;
}

}  // namespace

// ---- circle

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
    writeCircleFields(filer, mCenter, mRadius, mThickness, mNormal);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbCircle::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return readCircleFields(filer, mCenter, mRadius, mThickness, mNormal);
}

Acad::ErrorStatus AcDbCircle::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    writeCircleSection(filer, this, CircleSection{mCenter, mRadius, mThickness, mNormal});
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbCircle::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    CircleSection c;
    if ((es = readCircleSection(filer, this, c)) != Acad::eOk) return es;
    mCenter = c.center;
    mRadius = c.radius;
    mThickness = c.thickness;
    mNormal = c.normal;
    return filer->filerStatus();
}

// ---- arc

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
    writeCircleFields(filer, mCenter, mRadius, mThickness, mNormal);
    filer->writeDouble(mStartAngle);
    filer->writeDouble(mEndAngle);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbArc::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    if ((es = readCircleFields(filer, mCenter, mRadius, mThickness, mNormal)) != Acad::eOk) return es;
    filer->readDouble(&mStartAngle);
    return filer->readDouble(&mEndAngle);
}

Acad::ErrorStatus AcDbArc::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    writeCircleSection(filer, this, CircleSection{mCenter, mRadius, mThickness, mNormal});
    filer->writeString(AcDb::kDxfSubclass, L"AcDbArc");
    filer->writeAngle(AcDb::kDxfAngle, mStartAngle);
    filer->writeAngle(static_cast<AcDb::DxfCode>(51), mEndAngle);
    arx::writeKeptGroups(filer, this, "AcDbArc");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbArc::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    CircleSection c;
    if ((es = readCircleSection(filer, this, c)) != Acad::eOk) return es;
    mCenter = c.center;
    mRadius = c.radius;
    mThickness = c.thickness;
    mNormal = c.normal;
    filer->atSubclassData(L"AcDbArc");
    resbuf rb;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        if (rb.restype == 50)
            mStartAngle = arx::normalizeAngle(rb.resval.rreal * M_PI / 180.0);
        else if (rb.restype == 51)
            mEndAngle = arx::normalizeAngle(rb.resval.rreal * M_PI / 180.0);
        else
            arx::keepCurrentGroup(filer, this, "AcDbArc");
    }
    return es == Acad::eEndOfFile ? filer->filerStatus() : es;
}

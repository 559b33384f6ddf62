// AcDbLine: a straight segment between two points in world coordinates, with
// the thickness and normal of an extrusion.
#include "dbents.h"
#include "planar.h"
#include "../db/builtin.h"
#include "../db/dxf_fields.h"

ARX_DEFINE_BUILTIN(AcDbLine, AcDbCurve, L"LINE")

namespace {

// The AcDbLine section as the file holds it: LINE's points are in world
// coordinates, whatever the normal.
struct LineValues {
    double thickness;
    AcGePoint3d start;
    AcGePoint3d end;
    AcGeVector3d normal;
};

constexpr auto kLineSection = arx::dxfSection<LineValues>("AcDbLine",
    arx::field::real(39, &LineValues::thickness, 0.0),
    arx::field::point(10, &LineValues::start),
    arx::field::point(11, &LineValues::end),
    arx::field::normal(210, &LineValues::normal));

}  // namespace

AcDbLine::AcDbLine() = default;
AcDbLine::AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : mStart(start), mEnd(end) {}
AcDbLine::~AcDbLine() = default;

AcGePoint3d AcDbLine::startPoint() const { assertReadEnabled(); return mStart; }
AcGePoint3d AcDbLine::endPoint() const { assertReadEnabled(); return mEnd; }
double AcDbLine::thickness() const { assertReadEnabled(); return mThickness; }
AcGeVector3d AcDbLine::normal() const { assertReadEnabled(); return mNormal; }

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& pt) { assertWriteEnabled(); mStart = pt; return Acad::eOk; }
Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& pt) { assertWriteEnabled(); mEnd = pt; return Acad::eOk; }
Acad::ErrorStatus AcDbLine::setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }
Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& n)
{
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = n.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subGetGeomExtents(AcDbExtents& ext) const
{
    ext.addPoint(mStart);
    ext.addPoint(mEnd);
    if (mThickness != 0) {
        ext.addPoint(mStart + mNormal * mThickness);
        ext.addPoint(mEnd + mNormal * mThickness);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subTransformBy(const AcGeMatrix3d& xform)
{
    AcGeVector3d n = mNormal * mThickness;
    n.transformBy(xform);
    mStart.transformBy(xform);
    mEnd.transformBy(xform);
    if (mThickness != 0) {
        mThickness = n.length();
        mNormal = n.normal();
    } else {
        AcGeVector3d nn = mNormal;
        nn.transformBy(xform);
        if (!nn.isZeroLength()) mNormal = nn.normal();
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subGetGripPoints(AcGePoint3dArray& grips, AcDbIntArray&, AcDbIntArray&) const
{
    grips.append(mStart);
    grips.append(mEnd);
    grips.append(mStart + (mEnd - mStart) * 0.5);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices) {
        if (i == 0 || i == 2) mStart += offset;
        if (i == 1 || i == 2) mEnd += offset;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writePoint3d(mStart);
    filer->writePoint3d(mEnd);
    filer->writeDouble(mThickness);
    filer->writeVector3d(mNormal);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLine::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    filer->readPoint3d(&mStart);
    filer->readPoint3d(&mEnd);
    filer->readDouble(&mThickness);
    return filer->readVector3d(&mNormal);
}

Acad::ErrorStatus AcDbLine::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return kLineSection.write(filer, this, {.thickness = mThickness, .start = mStart, .end = mEnd, .normal = mNormal});
}

Acad::ErrorStatus AcDbLine::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    LineValues line;
    if ((es = kLineSection.read(filer, this, line)) != Acad::eOk) return es;
    mThickness = line.thickness;
    mStart = line.start;
    mEnd = line.end;
    mNormal = line.normal;
    return filer->filerStatus();
}

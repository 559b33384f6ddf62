// AcDbLine.
#include "dbents.h"
#include "planar.h"
#include "../db/builtin.h"
#include "../db/object_access.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcDbCurve, AcDbEntity)
ARX_DEFINE_BUILTIN(AcDbLine, AcDbCurve, L"LINE")

AcDbCurve::AcDbCurve() = default;
AcDbCurve::~AcDbCurve() = default;

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
    filer->writeString(AcDb::kDxfSubclass, L"AcDbLine");
    if (mThickness != 0) filer->writeDouble(AcDb::kDxfThickness, mThickness);
    filer->writePoint3d(AcDb::kDxfXCoord, mStart);
    filer->writePoint3d(static_cast<AcDb::DxfCode>(11), mEnd);
    if (!arx::isDefaultNormal(mNormal)) filer->writeVector3d(AcDb::kDxfNormalX, mNormal);
    arx::writeKeptGroups(filer, this, "AcDbLine");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLine::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbLine");
    resbuf rb;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        switch (rb.restype) {
        case 10: mStart.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]); break;
        case 11: mEnd.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]); break;
        case 39: mThickness = rb.resval.rreal; break;
        case 210: {
            arx::normalFromFile(rb.resval.rpoint, mNormal);
            break;
        }
        default: arx::keepCurrentGroup(filer, this, "AcDbLine"); break;
        }
    }
    return es == Acad::eEndOfFile ? filer->filerStatus() : es;
}

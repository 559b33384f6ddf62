// AcDbLine: a straight segment between two points in world coordinates, with
// the thickness and normal of an extrusion.
#include <cstring>

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

const AcGeVector3d kFlatNormal{0, 0, 1};

// Bit for bit, so that a normal of -0 survives being read and written.
bool isFlat(double thickness, const AcGeVector3d& normal)
{
    const double zero = 0;
    return std::memcmp(&thickness, &zero, sizeof zero) == 0 && std::memcmp(&normal, &kFlatNormal, sizeof normal) == 0;
}

}  // namespace

namespace arx {
struct LineExtrusion {
    double thickness;
    AcGeVector3d normal;
};
}  // namespace arx

// A drawing may hold hundreds of thousands of lines.
static_assert(sizeof(AcDbLine) <= 136, "keep a line small");

AcDbLine::AcDbLine() = default;
AcDbLine::AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : mStart(start), mEnd(end) {}
AcDbLine::~AcDbLine() { delete mExtrusion; }

double AcDbLine::extrusionThickness() const { return mExtrusion != nullptr ? mExtrusion->thickness : 0.0; }
AcGeVector3d AcDbLine::extrusionNormal() const { return mExtrusion != nullptr ? mExtrusion->normal : kFlatNormal; }

void AcDbLine::setExtrusion(double thickness, const AcGeVector3d& normal)
{
    if (isFlat(thickness, normal)) {
        delete mExtrusion;
        mExtrusion = nullptr;
    } else if (mExtrusion != nullptr) {
        *mExtrusion = {thickness, normal};
    } else {
        mExtrusion = new arx::LineExtrusion{thickness, normal};
    }
}

AcGePoint3d AcDbLine::startPoint() const { assertReadEnabled(); return mStart; }
AcGePoint3d AcDbLine::endPoint() const { assertReadEnabled(); return mEnd; }
double AcDbLine::thickness() const { assertReadEnabled(); return extrusionThickness(); }
AcGeVector3d AcDbLine::normal() const { assertReadEnabled(); return extrusionNormal(); }

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& pt) { assertWriteEnabled(); mStart = pt; return Acad::eOk; }
Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& pt) { assertWriteEnabled(); mEnd = pt; return Acad::eOk; }
Acad::ErrorStatus AcDbLine::setThickness(double t)
{
    assertWriteEnabled();
    setExtrusion(t, extrusionNormal());
    return Acad::eOk;
}
Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& n)
{
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    setExtrusion(extrusionThickness(), n.normal());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subGetGeomExtents(AcDbExtents& ext) const
{
    ext.addPoint(mStart);
    ext.addPoint(mEnd);
    const double thickness = extrusionThickness();
    if (thickness != 0) {
        ext.addPoint(mStart + extrusionNormal() * thickness);
        ext.addPoint(mEnd + extrusionNormal() * thickness);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::subTransformBy(const AcGeMatrix3d& xform)
{
    const double thickness = extrusionThickness();
    const AcGeVector3d normal = extrusionNormal();
    AcGeVector3d n = normal * thickness;
    n.transformBy(xform);
    mStart.transformBy(xform);
    mEnd.transformBy(xform);
    if (thickness != 0) {
        setExtrusion(n.length(), n.normal());
    } else {
        AcGeVector3d nn = normal;
        nn.transformBy(xform);
        if (!nn.isZeroLength()) setExtrusion(thickness, nn.normal());
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
    filer->writeDouble(extrusionThickness());
    filer->writeVector3d(extrusionNormal());
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLine::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    filer->readPoint3d(&mStart);
    filer->readPoint3d(&mEnd);
    double thickness = 0;
    AcGeVector3d normal = kFlatNormal;
    filer->readDouble(&thickness);
    es = filer->readVector3d(&normal);
    setExtrusion(thickness, normal);
    return es;
}

Acad::ErrorStatus AcDbLine::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return kLineSection.write(filer, this, {.thickness = extrusionThickness(), .start = mStart, .end = mEnd,
                                              .normal = extrusionNormal()});
}

Acad::ErrorStatus AcDbLine::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    LineValues line;
    if ((es = kLineSection.read(filer, this, line)) != Acad::eOk) return es;
    mStart = line.start;
    mEnd = line.end;
    setExtrusion(line.thickness, line.normal);
    return filer->filerStatus();
}

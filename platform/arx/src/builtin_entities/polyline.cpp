// AcDbPolyline: the lightweight polyline. Vertices are 2D in the polyline's own
// plane (its normal and elevation); a bulge is the tangent of a quarter of the
// arc's included angle, negative for clockwise arcs.
#include <algorithm>

#include "dbpl.h"
#include "planar.h"
#include "../db/builtin.h"
#include "../db/dxf_fields.h"

ARX_DEFINE_BUILTIN(AcDbPolyline, AcDbCurve, L"LWPOLYLINE")

namespace {
constexpr Adesk::UInt32 kMaxVertices = 10'000'000;

// The AcDbPolyline section as the file holds it, but for the vertices: each is
// a 10 group followed by its own 40, 41 and 42, written by hand between the
// thickness and the normal.
struct PolylineValues {
    std::optional<Adesk::Int32> vertexCount;  // what the file announces
    Adesk::Int16 flags;                        // 1 closed, 128 linetype generated across vertices
    double constantWidth;                      // of every vertex that gives no widths of its own
    double elevation;
    double thickness;
    AcGeVector3d normal;
};
constexpr Adesk::Int16 kClosed = 1;
constexpr Adesk::Int16 kPlinegen = 128;

constexpr auto kPolylineSection = arx::dxfSection<PolylineValues>("AcDbPolyline",
    arx::field::int32(90, &PolylineValues::vertexCount),
    arx::field::int16(70, &PolylineValues::flags),
    arx::field::real(43, &PolylineValues::constantWidth),
    arx::field::real(38, &PolylineValues::elevation, 0.0),
    arx::field::real(39, &PolylineValues::thickness, 0.0),
    arx::field::handWritten(),
    arx::field::normal(210, &PolylineValues::normal));

}  // namespace

AcDbPolyline::AcDbPolyline() = default;
AcDbPolyline::AcDbPolyline(unsigned int numVerts) { mVerts.reserve(std::min<unsigned>(numVerts, 1u << 16)); }
AcDbPolyline::~AcDbPolyline() = default;

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge,
                                            double startWidth, double endWidth)
{
    assertWriteEnabled();
    if (index > mVerts.size()) index = static_cast<unsigned>(mVerts.size());
    Vertex v;
    v.pt = pt;
    v.bulge = bulge;
    v.startWidth = startWidth < 0 ? mConstantWidth : startWidth;
    v.endWidth = endWidth < 0 ? mConstantWidth : endWidth;
    mVerts.insert(mVerts.begin() + index, v);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int index)
{
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mVerts.erase(mVerts.begin() + index);
    return Acad::eOk;
}

unsigned int AcDbPolyline::numVerts() const
{
    assertReadEnabled();
    return static_cast<unsigned>(mVerts.size());
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& pt) const
{
    assertReadEnabled();
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    pt = mVerts[index].pt;
    return Acad::eOk;
}

AcGePoint3d AcDbPolyline::toWorld(const AcGePoint2d& p) const
{
    return arx::Ocs(mNormal).toWorld(AcGePoint3d(p.x, p.y, mElevation));
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& pt) const
{
    assertReadEnabled();
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    pt = toWorld(mVerts[index].pt);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned int index, const AcGePoint2d& pt)
{
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mVerts[index].pt = pt;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const
{
    assertReadEnabled();
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    bulge = mVerts[index].bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge)
{
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    assertWriteEnabled();
    mVerts[index].bulge = bulge;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const
{
    assertReadEnabled();
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    startWidth = mVerts[index].startWidth;
    endWidth = mVerts[index].endWidth;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth)
{
    if (index >= mVerts.size()) return Acad::eInvalidIndex;
    if (startWidth < 0 || endWidth < 0) return Acad::eNegativeValueNotAllowed;
    assertWriteEnabled();
    mVerts[index].startWidth = startWidth;
    mVerts[index].endWidth = endWidth;
    return Acad::eOk;
}

// A constant width is one the vertices all share.
Acad::ErrorStatus AcDbPolyline::getConstantWidth(double& width) const
{
    assertReadEnabled();
    width = mVerts.empty() ? mConstantWidth : mVerts.front().startWidth;
    for (const Vertex& v : mVerts)
        if (v.startWidth != width || v.endWidth != width) return Acad::eInvalidInput;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double width)
{
    if (width < 0) return Acad::eNegativeValueNotAllowed;
    assertWriteEnabled();
    mConstantWidth = width;
    for (Vertex& v : mVerts) v.startWidth = v.endWidth = width;
    return Acad::eOk;
}

bool AcDbPolyline::isClosed() const { assertReadEnabled(); return mClosed; }
void AcDbPolyline::setClosed(bool closed) { assertWriteEnabled(); mClosed = closed; }
bool AcDbPolyline::hasBulges() const
{
    assertReadEnabled();
    return std::any_of(mVerts.begin(), mVerts.end(), [](const Vertex& v) { return v.bulge != 0; });
}
bool AcDbPolyline::hasWidth() const
{
    assertReadEnabled();
    return std::any_of(mVerts.begin(), mVerts.end(), [](const Vertex& v) { return v.startWidth != 0 || v.endWidth != 0; });
}
double AcDbPolyline::elevation() const { assertReadEnabled(); return mElevation; }
void AcDbPolyline::setElevation(double e) { assertWriteEnabled(); mElevation = e; }
double AcDbPolyline::thickness() const { assertReadEnabled(); return mThickness; }
Acad::ErrorStatus AcDbPolyline::setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }
AcGeVector3d AcDbPolyline::normal() const { assertReadEnabled(); return mNormal; }
Acad::ErrorStatus AcDbPolyline::setNormal(const AcGeVector3d& n)
{
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = n.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subGetGeomExtents(AcDbExtents& ext) const
{
    if (mVerts.empty()) return Acad::eInvalidExtents;
    const size_t n = mVerts.size();
    double halfWidth = 0;
    for (size_t i = 0; i < n; ++i) {
        const Vertex& v = mVerts[i];
        halfWidth = std::max({halfWidth, v.startWidth / 2, v.endWidth / 2});
        ext.addPoint(toWorld(v.pt));
        bool last = i + 1 == n;
        if (v.bulge == 0 || (last && !mClosed)) continue;
        // The arc from this vertex to the next one.
        const AcGePoint2d& a = v.pt;
        const AcGePoint2d& b = mVerts[last ? 0 : i + 1].pt;
        double chord = a.distanceTo(b);
        if (chord == 0) continue;
        double theta = 4 * std::atan(v.bulge);
        double radius = chord / (2 * std::sin(std::fabs(theta) / 2));
        AcGeVector2d dir = (b - a) * (1 / chord);
        AcGeVector2d perp(-dir.y, dir.x);
        double sagittaToCenter = radius * std::cos(theta / 2) * (v.bulge > 0 ? 1 : -1);
        AcGePoint2d mid(a.x + (b.x - a.x) / 2, a.y + (b.y - a.y) / 2);
        AcGePoint2d c = mid + perp * sagittaToCenter;
        double sa = std::atan2(a.y - c.y, a.x - c.x), ea = std::atan2(b.y - c.y, b.x - c.x);
        if (v.bulge < 0) std::swap(sa, ea);
        arx::Ocs ocs(mNormal);
        arx::addArcExtents(ext, ocs.toWorld(AcGePoint3d(c.x, c.y, mElevation)), mNormal, radius,
                           arx::normalizeAngle(sa), arx::normalizeAngle(ea), false);
    }
    if (halfWidth > 0) {
        AcGePoint3d lo = ext.minPoint(), hi = ext.maxPoint();
        ext.addPoint(lo - AcGeVector3d(halfWidth, halfWidth, 0));
        ext.addPoint(hi + AcGeVector3d(halfWidth, halfWidth, 0));
    }
    if (mThickness != 0) ext.expandBy(mNormal * mThickness);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subTransformBy(const AcGeMatrix3d& xform)
{
    AcGeVector3d n;
    double s = 1;
    bool mirror = false;
    if (!arx::uniformTransform(xform, mNormal, n, s, mirror)) return Acad::eCannotScaleNonUniformly;
    arx::Ocs to(n);
    double elevation = mElevation;
    for (Vertex& v : mVerts) {
        AcGePoint3d w = toWorld(v.pt);
        w.transformBy(xform);
        AcGePoint3d o = to.toOcs(w);
        v.pt.set(o.x, o.y);
        elevation = o.z;
        v.startWidth *= s;
        v.endWidth *= s;
        if (mirror) v.bulge = -v.bulge;
    }
    if (mVerts.empty()) {
        AcGePoint3d w = arx::Ocs(mNormal).toWorld(AcGePoint3d(0, 0, mElevation));
        w.transformBy(xform);
        elevation = to.toOcs(w).z;
    }
    mElevation = elevation;
    mNormal = n;
    mConstantWidth *= s;
    mThickness *= s;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subGetGripPoints(AcGePoint3dArray& grips, AcDbIntArray&, AcDbIntArray&) const
{
    for (const Vertex& v : mVerts) grips.append(toWorld(v.pt));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    arx::Ocs ocs(mNormal);
    AcGeVector3d inPlane(offset.dotProduct(ocs.x), offset.dotProduct(ocs.y), 0);
    for (int i : indices)
        if (i >= 0 && static_cast<size_t>(i) < mVerts.size()) {
            AcGePoint2d& p = mVerts[static_cast<size_t>(i)].pt;
            p.set(p.x + inPlane.x, p.y + inPlane.y);
        }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeBool(mClosed);
    filer->writeBool(mPlinegen);
    filer->writeDouble(mConstantWidth);
    filer->writeDouble(mElevation);
    filer->writeDouble(mThickness);
    filer->writeVector3d(mNormal);
    filer->writeUInt32(static_cast<Adesk::UInt32>(mVerts.size()));
    for (const Vertex& v : mVerts) {
        filer->writePoint2d(v.pt);
        filer->writeDouble(v.bulge);
        filer->writeDouble(v.startWidth);
        filer->writeDouble(v.endWidth);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    filer->readBool(&mClosed);
    filer->readBool(&mPlinegen);
    filer->readDouble(&mConstantWidth);
    filer->readDouble(&mElevation);
    filer->readDouble(&mThickness);
    filer->readVector3d(&mNormal);
    Adesk::UInt32 n = 0;
    if ((es = filer->readUInt32(&n)) != Acad::eOk) return es;
    if (n > kMaxVertices || !(mConstantWidth >= 0)) return Acad::eDwgObjectImproperlyRead;
    std::vector<Vertex> verts;
    for (Adesk::UInt32 i = 0; i < n; ++i) {
        Vertex v;
        filer->readPoint2d(&v.pt);
        filer->readDouble(&v.bulge);
        filer->readDouble(&v.startWidth);
        if ((es = filer->readDouble(&v.endWidth)) != Acad::eOk) return es;
        if (!(v.startWidth >= 0) || !(v.endWidth >= 0)) return Acad::eDwgObjectImproperlyRead;
        verts.push_back(v);
    }
    mVerts = std::move(verts);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    double constant = 0;
    bool isConstant = true;
    if (!mVerts.empty()) {
        constant = mVerts.front().startWidth;
        for (const Vertex& v : mVerts)
            if (v.startWidth != constant || v.endWidth != constant) isConstant = false;
    }
    PolylineValues values{.vertexCount = static_cast<Adesk::Int32>(mVerts.size()),
                          .flags = static_cast<Adesk::Int16>((mClosed ? kClosed : 0) | (mPlinegen ? kPlinegen : 0)),
                          .constantWidth = isConstant ? constant : 0.0,
                          .elevation = mElevation,
                          .thickness = mThickness,
                          .normal = mNormal};
    return kPolylineSection.write(filer, this, values, [&](AcDbDxfFiler* f) {
        for (const Vertex& v : mVerts) {
            f->writePoint2d(arx::dxfCode(10), v.pt);
            if (!isConstant) {
                f->writeDouble(arx::dxfCode(40), v.startWidth);
                f->writeDouble(arx::dxfCode(41), v.endWidth);
            }
            if (v.bulge != 0) f->writeDouble(arx::dxfCode(42), v.bulge);
        }
    });
}

Acad::ErrorStatus AcDbPolyline::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    PolylineValues values;
    std::vector<Vertex> verts;
    std::vector<bool> widthGiven;
    es = kPolylineSection.read(filer, this, values, [&](const resbuf& rb) {
        switch (rb.restype) {
        case 10: {
            if (verts.size() >= kMaxVertices) {
                filer->setError(Acad::eInvalidDxfCode, L"too many vertices");
                return arx::OtherGroup::kTaken;
            }
            Vertex v;
            v.pt.set(rb.resval.rpoint[0], rb.resval.rpoint[1]);
            verts.push_back(v);
            widthGiven.push_back(false);
            return arx::OtherGroup::kTaken;
        }
        case 40:
        case 41:
        case 42:
            if (verts.empty()) {
                filer->setError(Acad::eBadDxfSequence, L"vertex data before the first vertex");
            } else if (rb.restype == 42) {
                verts.back().bulge = rb.resval.rreal;
            } else if (rb.resval.rreal < 0) {
                filer->setError(Acad::eInvalidDxfCode, L"negative width");
            } else {
                (rb.restype == 40 ? verts.back().startWidth : verts.back().endWidth) = rb.resval.rreal;
                widthGiven.back() = true;
            }
            return arx::OtherGroup::kTaken;
        case 91: return arx::OtherGroup::kTaken;  // vertex identifiers are not kept by the host
        default: return arx::OtherGroup::kNotMine;
        }
    });
    if (es != Acad::eOk) return es;
    // A count must be the number of vertices that follow; one that reads as
    // negative (written so, or above the 32-bit signed range) never is.
    if (values.vertexCount && *values.vertexCount < 0)
        return filer->setError(Acad::eInvalidDxfCode, L"group 90 is no vertex count, but %d follow",
                               static_cast<int>(verts.size()));
    if (values.vertexCount && static_cast<size_t>(*values.vertexCount) != verts.size())
        return filer->setError(Acad::eInvalidDxfCode, L"group 90 announces %d vertices but %d follow",
                               static_cast<int>(*values.vertexCount), static_cast<int>(verts.size()));
    if (values.constantWidth < 0) return filer->setError(Acad::eInvalidDxfCode, L"negative constant width");
    for (size_t i = 0; i < verts.size(); ++i)
        if (!widthGiven[i]) verts[i].startWidth = verts[i].endWidth = values.constantWidth;
    mClosed = (values.flags & kClosed) != 0;
    mPlinegen = (values.flags & kPlinegen) != 0;
    mConstantWidth = values.constantWidth;
    mElevation = values.elevation;
    mThickness = values.thickness;
    mNormal = values.normal;
    mVerts = std::move(verts);
    return filer->filerStatus();
}

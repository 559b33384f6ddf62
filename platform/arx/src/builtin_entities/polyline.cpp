// AcDbPolyline: the lightweight polyline. Vertices are 2D in the polyline's own
// plane (its normal and elevation); a bulge is the tangent of a quarter of the
// arc's included angle, negative for clockwise arcs.
#include <algorithm>

#include "dbpl.h"
#include "planar.h"
#include "../db/builtin.h"
#include "../db/object_access.h"

ARX_DEFINE_BUILTIN(AcDbPolyline, AcDbCurve, L"LWPOLYLINE")

namespace {
constexpr Adesk::UInt32 kMaxVertices = 10'000'000;
}

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
    filer->writeString(AcDb::kDxfSubclass, L"AcDbPolyline");
    filer->writeInt32(AcDb::kDxfInt32, static_cast<Adesk::Int32>(mVerts.size()));
    filer->writeInt16(AcDb::kDxfInt16, static_cast<Adesk::Int16>((mClosed ? 1 : 0) | (mPlinegen ? 128 : 0)));
    double constant = 0;
    bool isConstant = true;
    if (!mVerts.empty()) {
        constant = mVerts.front().startWidth;
        for (const Vertex& v : mVerts)
            if (v.startWidth != constant || v.endWidth != constant) isConstant = false;
    }
    filer->writeDouble(static_cast<AcDb::DxfCode>(43), isConstant ? constant : 0.0);
    if (mElevation != 0) filer->writeDouble(AcDb::kDxfElevation, mElevation);
    if (mThickness != 0) filer->writeDouble(AcDb::kDxfThickness, mThickness);
    for (const Vertex& v : mVerts) {
        filer->writePoint2d(AcDb::kDxfXCoord, v.pt);
        if (!isConstant) {
            filer->writeDouble(AcDb::kDxfReal, v.startWidth);
            filer->writeDouble(static_cast<AcDb::DxfCode>(41), v.endWidth);
        }
        if (v.bulge != 0) filer->writeDouble(static_cast<AcDb::DxfCode>(42), v.bulge);
    }
    if (!arx::isDefaultNormal(mNormal)) filer->writeVector3d(AcDb::kDxfNormalX, mNormal);
    arx::writeKeptGroups(filer, this, "AcDbPolyline");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPolyline::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbPolyline");
    resbuf rb;
    std::vector<Vertex> verts;
    std::vector<bool> widthGiven;
    double constant = 0;
    Adesk::Int32 announced = -1;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        switch (rb.restype) {
        case 90: announced = rb.resval.rlong; break;
        case 70:
            mClosed = (rb.resval.rint & 1) != 0;
            mPlinegen = (rb.resval.rint & 128) != 0;
            break;
        case 43: constant = rb.resval.rreal; break;
        case 38: mElevation = rb.resval.rreal; break;
        case 39: mThickness = rb.resval.rreal; break;
        case 10: {
            if (verts.size() >= kMaxVertices) return filer->setError(Acad::eInvalidDxfCode, L"too many vertices");
            Vertex v;
            v.pt.set(rb.resval.rpoint[0], rb.resval.rpoint[1]);
            verts.push_back(v);
            widthGiven.push_back(false);
            break;
        }
        case 40:
        case 41:
        case 42:
            if (verts.empty()) return filer->setError(Acad::eBadDxfSequence, L"vertex data before the first vertex");
            if (rb.restype == 42) {
                verts.back().bulge = rb.resval.rreal;
            } else {
                if (rb.resval.rreal < 0) return filer->setError(Acad::eInvalidDxfCode, L"negative width");
                (rb.restype == 40 ? verts.back().startWidth : verts.back().endWidth) = rb.resval.rreal;
                widthGiven.back() = true;
            }
            break;
        case 91: break;  // vertex identifiers are not kept by the host
        case 210: {
            arx::normalFromFile(rb.resval.rpoint, mNormal);
            break;
        }
        default: arx::keepCurrentGroup(filer, this, "AcDbPolyline"); break;
        }
    }
    if (es != Acad::eEndOfFile) return es;
    if (announced >= 0 && static_cast<size_t>(announced) != verts.size())
        return filer->setError(Acad::eInvalidDxfCode, L"group 90 announces %d vertices but %d follow",
                               static_cast<int>(announced), static_cast<int>(verts.size()));
    if (constant < 0) return filer->setError(Acad::eInvalidDxfCode, L"negative constant width");
    for (size_t i = 0; i < verts.size(); ++i)
        if (!widthGiven[i]) verts[i].startWidth = verts[i].endWidth = constant;
    mConstantWidth = constant;
    mVerts = std::move(verts);
    return filer->filerStatus();
}

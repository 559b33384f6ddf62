// Recording what an entity draws: each primitive goes into the display list with
// the traits in force, and the list's extents grow with it.
#include "recorder.h"

#include <algorithm>
#include <cmath>

#include "dbpl.h"
#include "view_query.h"

namespace arx::gi {

namespace {

// The extreme points of a circular arc along each axis, and its ends.
void growByArc(Recorder& r, const AcGePoint3d& c, double radius, const AcGeVector3d& n, const AcGeVector3d& start,
               double sweep)
{
    AcGeVector3d nn = n.normal();
    if (nn.isZeroLength()) nn = AcGeVector3d::kZAxis;
    AcGeVector3d u = start - nn * start.dotProduct(nn);
    u = u.isZeroLength() ? planeXAxis(nn) : u.normal();
    AcGeVector3d v = nn.crossProduct(u);
    r.grow(c + u * radius);
    r.grow(c + u * (radius * std::cos(sweep)) + v * (radius * std::sin(sweep)));
    const bool full = std::fabs(sweep) >= 2 * M_PI - 1e-12;
    for (int axis = 0; axis < 3; ++axis) {
        // The points of the circle furthest along the axis lie where the arc's
        // direction is the axis's own, projected into the circle's plane.
        const double cu = axis == 0 ? u.x : axis == 1 ? u.y : u.z;
        const double cv = axis == 0 ? v.x : axis == 1 ? v.y : v.z;
        const double len = std::hypot(cu, cv);
        if (len < 1e-12) continue;
        const AcGeVector3d toExtreme = (u * cu + v * cv) * (radius / len);
        for (int sign = -1; sign <= 1; sign += 2) {
            if (!full) {
                double t = std::atan2(sign * cv, sign * cu);
                if (sweep < 0) t = -t;
                t = std::fmod(t, 2 * M_PI);
                if (t < 0) t += 2 * M_PI;
                if (t > std::fabs(sweep)) continue;
            }
            r.grow(c + toExtreme * sign);
        }
    }
}

void pushPoint(std::vector<double>& n, const AcGePoint3d& p)
{
    n.push_back(p.x);
    n.push_back(p.y);
    n.push_back(p.z);
}

void pushVector(std::vector<double>& n, const AcGeVector3d& v)
{
    n.push_back(v.x);
    n.push_back(v.y);
    n.push_back(v.z);
}

// The circle through three points: false when they lie on one line.
bool circleThrough(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c, AcGePoint3d& centre,
                   double& radius, AcGeVector3d& normal)
{
    AcGeVector3d ab = b - a, ac = c - a;
    AcGeVector3d n = ab.crossProduct(ac);
    double n2 = n.lengthSqrd();
    if (n2 <= 1e-24) return false;
    AcGeVector3d toCentre = (n.crossProduct(ab) * ac.lengthSqrd() + ac.crossProduct(n) * ab.lengthSqrd()) / (2 * n2);
    centre = a + toCentre;
    radius = toCentre.length();
    normal = n.normal();
    return true;
}

}  // namespace

// ---- the recorder

Recorder::Recorder(AcDbDatabase* db, bool plot) : mDb(db), mPlot(plot), mGeometry(*this), mContext(*this)
{
}

Recorder::~Recorder() = default;

void Recorder::record(AcDbEntity* entity, DisplayList& out)
{
    out.clear();
    if (entity->visibility() == AcDb::kInvisible) return;
    mList = &out;
    mTraits.current = Traits();
    mTraits.thicknessValue = 0;
    entity->setAttributes(&mTraits);
    const std::uint64_t before = viewQueryCount();
    entity->worldDraw(this);
    out.viewDependent = viewQueryCount() != before;
    mList = nullptr;
}

Primitive& Recorder::add(Kind kind)
{
    DisplayList& l = *mList;
    // Consecutive primitives drawn with the same traits share one entry.
    if (l.traits.empty() || !(l.traits.back() == mTraits.current)) l.traits.push_back(mTraits.current);
    Primitive p;
    p.kind = kind;
    p.traits = static_cast<std::uint32_t>(l.traits.size() - 1);
    l.prims.push_back(p);
    return l.prims.back();
}

// ---- traits

void RecordingTraits::setColor(const Adesk::UInt16 color)
{
    if (color == 256)
        current.color.setColorMethod(AcCmEntityColor::kByLayer);
    else if (color == 0)
        current.color.setColorMethod(AcCmEntityColor::kByBlock);
    else if (color <= 255)
        current.color.setColorIndex(static_cast<Adesk::Int16>(color));
}
void RecordingTraits::setTrueColor(const AcCmEntityColor& color) { current.color = color; }
void RecordingTraits::setLayer(const AcDbObjectId layerId) { current.layer = layerId; }
void RecordingTraits::setLineType(const AcDbObjectId linetypeId) { current.linetype = linetypeId; }
void RecordingTraits::setSelectionMarker(const Adesk::LongPtr markerId) { current.marker = markerId; }
void RecordingTraits::setFillType(const AcGiFillType type) { current.filled = type == kAcGiFillAlways; }
void RecordingTraits::setLineWeight(const AcDb::LineWeight lw) { current.lineWeight = static_cast<Adesk::Int16>(lw); }
void RecordingTraits::setLineTypeScale(double dScale)
{
    if (dScale > 0 && std::isfinite(dScale)) current.linetypeScale = dScale;
}
void RecordingTraits::setThickness(double dThickness) { thicknessValue = dThickness; }

Adesk::UInt16 RecordingTraits::color() const
{
    if (current.color.isByLayer()) return 256;
    if (current.color.isByBlock()) return 0;
    if (current.color.isByACI()) return static_cast<Adesk::UInt16>(current.color.colorIndex());
    AcCmColor c;
    c.setRGB(current.color.red(), current.color.green(), current.color.blue());
    return c.colorIndex();
}
AcCmEntityColor RecordingTraits::trueColor() const { return current.color; }
AcDbObjectId RecordingTraits::layerId() const { return AcDbObjectId(current.layer); }
AcDbObjectId RecordingTraits::lineTypeId() const { return AcDbObjectId(current.linetype); }
AcGiFillType RecordingTraits::fillType() const { return current.filled ? kAcGiFillAlways : kAcGiFillNever; }
AcDb::LineWeight RecordingTraits::lineWeight() const { return static_cast<AcDb::LineWeight>(current.lineWeight); }
double RecordingTraits::lineTypeScale() const { return current.linetypeScale; }
double RecordingTraits::thickness() const { return thicknessValue; }

// ---- context

Adesk::Boolean RecordingContext::isPsOut() const { return mOwner.plot() ? Adesk::kTrue : Adesk::kFalse; }
Adesk::Boolean RecordingContext::isPlotGeneration() const { return mOwner.plot() ? Adesk::kTrue : Adesk::kFalse; }
AcDbDatabase* RecordingContext::database() const { return mOwner.db(); }

// ---- geometry. Every call answers kFalse: the regeneration goes on.

Adesk::Boolean RecordingGeometry::circle(const AcGePoint3d& center, const double radius,
                                         const AcGeVector3d& normal) const
{
    if (!(radius > 0) || !std::isfinite(radius)) return Adesk::kFalse;
    AcGeVector3d n = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
    Primitive& p = mOwner.add(Kind::kCircle);
    auto& nums = mOwner.list().numbers;
    p.first = static_cast<std::uint32_t>(nums.size());
    pushPoint(nums, center);
    nums.push_back(radius);
    pushVector(nums, n);
    growByArc(mOwner, center, radius, n, planeXAxis(n), 2 * M_PI);
    return Adesk::kFalse;
}

Adesk::Boolean RecordingGeometry::circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) const
{
    AcGePoint3d c;
    double r = 0;
    AcGeVector3d n;
    if (!circleThrough(p1, p2, p3, c, r, n)) return Adesk::kFalse;
    return circle(c, r, n);
}

Adesk::Boolean RecordingGeometry::circularArc(const AcGePoint3d& center, const double radius,
                                              const AcGeVector3d& normal, const AcGeVector3d& startVector,
                                              const double sweepAngle, const AcGiArcType arcType) const
{
    if (!(radius > 0) || !std::isfinite(radius) || !std::isfinite(sweepAngle)) return Adesk::kFalse;
    AcGeVector3d n = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
    AcGeVector3d s = startVector - n * startVector.dotProduct(n);
    s = s.isZeroLength() ? planeXAxis(n) : s.normal();
    double sweep = std::max(-2 * M_PI, std::min(2 * M_PI, sweepAngle));
    Primitive& p = mOwner.add(Kind::kArc);
    p.arcType = arcType;
    auto& nums = mOwner.list().numbers;
    p.first = static_cast<std::uint32_t>(nums.size());
    pushPoint(nums, center);
    nums.push_back(radius);
    pushVector(nums, n);
    pushVector(nums, s);
    nums.push_back(sweep);
    growByArc(mOwner, center, radius, n, s, sweep);
    if (arcType == kAcGiArcSector) mOwner.grow(center);
    return Adesk::kFalse;
}

Adesk::Boolean RecordingGeometry::circularArc(const AcGePoint3d& start, const AcGePoint3d& point,
                                              const AcGePoint3d& end, const AcGiArcType arcType) const
{
    AcGePoint3d c;
    double r = 0;
    AcGeVector3d n;
    if (!circleThrough(start, point, end, c, r, n)) {
        AcGePoint3d line[2] = {start, end};
        return polyline(2, line);
    }
    // n runs so that start, point, end go counter-clockwise about it.
    AcGeVector3d s = start - c, e = end - c;
    double sweep = s.angleTo(e, n);
    return circularArc(c, r, n, s, sweep, arcType);
}

Adesk::Boolean RecordingGeometry::polyline(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList,
                                           const AcGeVector3d*, Adesk::LongPtr) const
{
    if (nbPoints == 0 || pVertexList == nullptr) return Adesk::kFalse;
    Primitive& p = mOwner.add(Kind::kPolyline);
    auto& pts = mOwner.list().points;
    p.first = static_cast<std::uint32_t>(pts.size());
    p.count = nbPoints;
    for (Adesk::UInt32 i = 0; i < nbPoints; ++i) {
        pts.push_back(pVertexList[i]);
        mOwner.grow(pVertexList[i]);
    }
    return Adesk::kFalse;
}

Adesk::Boolean RecordingGeometry::polygon(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) const
{
    if (nbPoints == 0 || pVertexList == nullptr) return Adesk::kFalse;
    Primitive& p = mOwner.add(Kind::kPolygon);
    auto& pts = mOwner.list().points;
    p.first = static_cast<std::uint32_t>(pts.size());
    p.count = nbPoints;
    for (Adesk::UInt32 i = 0; i < nbPoints; ++i) {
        pts.push_back(pVertexList[i]);
        mOwner.grow(pVertexList[i]);
    }
    return Adesk::kFalse;
}

Adesk::Boolean RecordingGeometry::text(const AcGePoint3d& position, const AcGeVector3d& normal,
                                       const AcGeVector3d& direction, const double height, const double width,
                                       const double oblique, const ACHAR* pMsg) const
{
    if (pMsg == nullptr || !(height > 0) || !std::isfinite(height)) return Adesk::kFalse;
    AcGeVector3d n = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
    AcGeVector3d d = direction - n * direction.dotProduct(n);
    d = d.isZeroLength() ? planeXAxis(n) : d.normal();
    Primitive& p = mOwner.add(Kind::kText);
    DisplayList& l = mOwner.list();
    p.first = static_cast<std::uint32_t>(l.numbers.size());
    pushPoint(l.numbers, position);
    pushVector(l.numbers, n);
    pushVector(l.numbers, d);
    l.numbers.push_back(height);
    l.numbers.push_back(width > 0 ? width : 1.0);
    l.numbers.push_back(oblique);
    const std::wstring_view message(pMsg);
    p.count = static_cast<std::uint32_t>(l.text.size());
    p.extra = static_cast<std::uint32_t>(message.size());
    l.text.append(message);
    // Where the letters go, generously: a letter is at most as wide as it is tall.
    AcGeVector3d up = n.crossProduct(d);
    double len = height * (width > 0 ? width : 1.0) * static_cast<double>(message.size());
    mOwner.grow(position - up * (height * 0.3));
    mOwner.grow(position + d * len + up * height * 1.1);
    mOwner.grow(position + up * height * 1.1);
    mOwner.grow(position + d * len - up * (height * 0.3));
    return Adesk::kFalse;
}

Adesk::Boolean RecordingGeometry::pline(const AcDbPolyline& lwBuf, Adesk::UInt32 fromIndex, Adesk::UInt32 numSegs) const
{
    const unsigned n = lwBuf.numVerts();
    if (n == 0 || fromIndex >= n) return Adesk::kFalse;
    const bool closed = lwBuf.isClosed();
    const unsigned segmentsAll = closed ? n : n - 1;
    unsigned last = segmentsAll;  // one past the last segment drawn
    if (numSegs != 0) last = std::min<unsigned>(segmentsAll, fromIndex + numSegs);
    Primitive& p = mOwner.add(Kind::kPline);
    DisplayList& l = mOwner.list();
    p.first = static_cast<std::uint32_t>(l.points.size());
    p.extra = static_cast<std::uint32_t>(l.numbers.size());
    const AcGeVector3d normal = lwBuf.normal().isZeroLength() ? AcGeVector3d::kZAxis : lwBuf.normal().normal();
    pushVector(l.numbers, normal);
    double maxWidth = 0;
    for (unsigned i = fromIndex; i < last; ++i) {
        double sw = 0, ew = 0;
        lwBuf.getWidthsAt(i, sw, ew);
        if (std::isfinite(sw) && std::isfinite(ew)) maxWidth = std::max({maxWidth, sw, ew});
    }
    mOwner.setPad(maxWidth / 2);
    // Vertices fromIndex .. last (the vertex after the last segment), and per
    // segment its bulge and widths.
    unsigned count = 0;
    // The vertices are in the polyline's own plane, at its elevation.
    const AcGeVector3d ax = planeXAxis(normal), ay = normal.crossProduct(ax).normal();
    const double elevation = lwBuf.elevation();
    for (unsigned i = fromIndex; i <= last && i <= n; ++i) {
        AcGePoint2d v2;
        lwBuf.getPointAt(i % n, v2);
        const AcGePoint3d w = AcGePoint3d::kOrigin + ax * v2.x + ay * v2.y + normal * elevation;
        l.points.push_back(w);
        mOwner.grow(w);
        ++count;
        if (i < last) {
            double bulge = 0, sw = 0, ew = 0;
            lwBuf.getBulgeAt(i, bulge);
            lwBuf.getWidthsAt(i, sw, ew);
            if (!std::isfinite(bulge)) bulge = 0;
            l.numbers.push_back(bulge);
            l.numbers.push_back(sw);
            l.numbers.push_back(ew);
        }
    }
    // A lone vertex (no segment) still shows as a dot.
    if (count == 1) {
        double sw = 0, ew = 0;
        lwBuf.getWidthsAt(fromIndex, sw, ew);
        l.numbers.push_back(0);
        l.numbers.push_back(sw);
        l.numbers.push_back(ew);
    }
    // A closed polyline's closing segment is among the vertices already.
    p.count = count;
    // A bulged segment is an arc: a positive bulge turns counter-clockwise about
    // the normal, so the arc bows out to the right of the chord.
    for (unsigned s = 0; s + 1 < count; ++s) {
        double bulge = l.numbers[p.extra + 3 + 3 * s];
        if (bulge == 0) continue;
        AcGePoint3d a = l.points[p.first + s], b = l.points[p.first + s + 1];
        double c = a.distanceTo(b);
        if (c == 0) continue;
        double sweep = 4 * std::atan(bulge);
        double radius = c / (2 * std::sin(std::fabs(sweep) / 2));
        double sagitta = c / 2 * std::tan(std::fabs(sweep) / 4);
        AcGeVector3d right = (b - a).crossProduct(normal).normal() * (bulge > 0 ? 1.0 : -1.0);
        AcGePoint3d centre = a + (b - a) / 2 + right * (sagitta - radius);
        growByArc(mOwner, centre, radius, normal, a - centre, sweep);
    }
    mOwner.setPad(0);
    return Adesk::kFalse;
}

Adesk::Boolean RecordingGeometry::worldLine(const AcGePoint3d pnts[2]) { return polyline(2, pnts); }

// Extents are measured from what is drawn; an entity's own estimate adds to them.
void RecordingGeometry::setExtents(AcGePoint3d* pNewExtents) const
{
    if (pNewExtents == nullptr) return;
    mOwner.grow(pNewExtents[0]);
    mOwner.grow(pNewExtents[1]);
}

}  // namespace arx::gi

// Primitives as straight pieces and filled outlines (see tessellate.h).
#include "tessellate.h"

#include <algorithm>
#include <cmath>

namespace arx::gi {

namespace {

AcGePoint3d pointAt(const double* n) { return AcGePoint3d(n[0], n[1], n[2]); }
AcGeVector3d vectorAt(const double* n) { return AcGeVector3d(n[0], n[1], n[2]); }

void emitChain(const std::vector<AcGePoint3d>& pts, double halfWidth, const std::function<void(const Piece&)>& f)
{
    Piece piece;
    piece.halfWidth = halfWidth;
    if (pts.size() == 1) {
        piece.a = piece.b = pts[0];
        f(piece);
        return;
    }
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        piece.a = pts[i];
        piece.b = pts[i + 1];
        f(piece);
    }
}

void emitArea(std::vector<AcGePoint3d> outline, const std::function<void(const Piece&)>& f)
{
    if (outline.size() < 3) {
        emitChain(outline, 0, f);
        return;
    }
    Piece piece;
    piece.outline = std::move(outline);
    f(piece);
}

// One segment of a lightweight polyline, as its centre line.
void segmentPoints(const AcGePoint3d& a, const AcGePoint3d& b, double bulge, const AcGeVector3d& normal,
                   double pixelsPerUnit, std::vector<AcGePoint3d>& out)
{
    double c = a.distanceTo(b);
    if (bulge == 0 || c == 0) {
        out.push_back(a);
        out.push_back(b);
        return;
    }
    double sweep = 4 * std::atan(bulge);
    double radius = c / (2 * std::sin(std::fabs(sweep) / 2));
    double sagitta = c / 2 * std::tan(std::fabs(sweep) / 4);
    AcGeVector3d right = (b - a).crossProduct(normal).normal() * (bulge > 0 ? 1.0 : -1.0);
    AcGePoint3d centre = a + (b - a) / 2 + right * (sagitta - radius);
    arcPoints(centre, radius, normal, a - centre, sweep, arcSegments(radius, sweep, pixelsPerUnit), out);
}

}  // namespace

int arcSegments(double radius, double sweep, double pixelsPerUnit)
{
    double rPx = radius * pixelsPerUnit;
    // The sagitta of a chord of angle t is r (1 - cos(t/2)) ~ r t^2 / 8: keep it
    // under a quarter of a pixel.
    double step = rPx > 0.5 ? std::sqrt(2.0 / rPx) : M_PI / 2;
    int n = static_cast<int>(std::ceil(std::fabs(sweep) / std::max(step, 1e-3)));
    return std::clamp(n, 2, 4096);
}

void textBox(const DisplayList& list, const Primitive& p, AcGePoint3d corners[4])
{
    const double* n = &list.numbers[p.first];
    AcGePoint3d pos = pointAt(n);
    AcGeVector3d normal = vectorAt(n + 3), dir = vectorAt(n + 6);
    double height = n[9], width = n[10];
    AcGeVector3d up = normal.crossProduct(dir).normal();
    // A character is taken as 0.8 of the height wide, as the text's extents take it.
    double len = static_cast<double>(p.extra) * height * width * 0.8;
    corners[0] = pos;
    corners[1] = pos + dir * len;
    corners[2] = pos + dir * len + up * height;
    corners[3] = pos + up * height;
}

void forEachPiece(const DisplayList& list, const Primitive& p, double pixelsPerUnit,
                  const std::function<void(const Piece&)>& f)
{
    const Traits& t = list.traits[p.traits];
    switch (p.kind) {
    case Kind::kPolyline: {
        std::vector<AcGePoint3d> pts(list.points.begin() + p.first, list.points.begin() + p.first + p.count);
        emitChain(pts, 0, f);
        break;
    }
    case Kind::kPolygon: {
        std::vector<AcGePoint3d> pts(list.points.begin() + p.first, list.points.begin() + p.first + p.count);
        if (t.filled) {
            emitArea(pts, f);
        } else {
            if (pts.size() > 1) pts.push_back(pts.front());
            emitChain(pts, 0, f);
        }
        break;
    }
    case Kind::kCircle: {
        const double* n = &list.numbers[p.first];
        AcGeVector3d normal = vectorAt(n + 4);
        std::vector<AcGePoint3d> pts;
        arcPoints(pointAt(n), n[3], normal, planeXAxis(normal), 2 * M_PI, arcSegments(n[3], 2 * M_PI, pixelsPerUnit),
                  pts);
        if (t.filled)
            emitArea(pts, f);
        else
            emitChain(pts, 0, f);
        break;
    }
    case Kind::kArc: {
        const double* n = &list.numbers[p.first];
        std::vector<AcGePoint3d> pts;
        arcPoints(pointAt(n), n[3], vectorAt(n + 4), vectorAt(n + 7), n[10], arcSegments(n[3], n[10], pixelsPerUnit),
                  pts);
        if (p.arcType == kAcGiArcSector) pts.push_back(pointAt(n));
        if (p.arcType != kAcGiArcSimple && t.filled) {
            emitArea(pts, f);
        } else {
            if (p.arcType != kAcGiArcSimple) pts.push_back(pts.front());
            emitChain(pts, 0, f);
        }
        break;
    }
    case Kind::kText: {
        AcGePoint3d box[4];
        textBox(list, p, box);
        emitArea(std::vector<AcGePoint3d>(box, box + 4), f);
        break;
    }
    case Kind::kPline: {
        if (p.count == 0) break;
        AcGeVector3d normal = vectorAt(&list.numbers[p.extra]);
        const AcGePoint3d* v = &list.points[p.first];
        const double* seg = &list.numbers[p.extra + 3];
        if (p.count == 1) {
            emitChain({v[0]}, std::max(seg[1], seg[2]) / 2, f);
            break;
        }
        for (unsigned s = 0; s + 1 < p.count; ++s) {
            double bulge = seg[3 * s], sw = seg[3 * s + 1], ew = seg[3 * s + 2];
            std::vector<AcGePoint3d> centre;
            segmentPoints(v[s], v[s + 1], bulge, normal, pixelsPerUnit, centre);
            // A band narrower than a pixel or two shows as its centre line.
            if (std::max(sw, ew) * pixelsPerUnit < 1.5) {
                emitChain(centre, std::max(sw, ew) / 2, f);
                continue;
            }
            // A wide segment is the area between its two offsets, the width
            // running from the start width to the end width along it.
            std::vector<AcGePoint3d> left, right;
            const size_t m = centre.size();
            for (size_t i = 0; i < m; ++i) {
                AcGeVector3d along = i + 1 < m ? centre[i + 1] - centre[i] : centre[i] - centre[i - 1];
                if (along.isZeroLength()) along = v[s + 1] - v[s];
                AcGeVector3d side = normal.crossProduct(along);
                side = side.isZeroLength() ? AcGeVector3d(0, 0, 0) : side.normal();
                double w = (sw + (ew - sw) * (m > 1 ? static_cast<double>(i) / (m - 1) : 0)) / 2;
                left.push_back(centre[i] + side * w);
                right.push_back(centre[i] - side * w);
            }
            std::vector<AcGePoint3d> outline = left;
            outline.insert(outline.end(), right.rbegin(), right.rend());
            emitArea(outline, f);
        }
        break;
    }
    }
}

}  // namespace arx::gi

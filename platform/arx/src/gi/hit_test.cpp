// Picking and window tests on display lists (see hit_test.h).
#include "hit_test.h"

#include <cmath>

#include "tessellate.h"

namespace arx::gi {

namespace {

double segmentDistance(double px, double py, const AcGePoint3d& a, const AcGePoint3d& b)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0;
    t = std::max(0.0, std::min(1.0, t));
    double cx = a.x + t * dx - px, cy = a.y + t * dy - py;
    return std::sqrt(cx * cx + cy * cy);
}

// Even-odd rule.
bool insideOutline(double px, double py, const std::vector<AcGePoint3d>& o)
{
    bool in = false;
    for (size_t i = 0, j = o.size() - 1; i < o.size(); j = i++) {
        if ((o[i].y > py) != (o[j].y > py) && px < (o[j].x - o[i].x) * (py - o[i].y) / (o[j].y - o[i].y) + o[i].x)
            in = !in;
    }
    return in;
}

bool inRect(const AcGePoint3d& p, const Rect& r) { return p.x >= r.minX && p.x <= r.maxX && p.y >= r.minY && p.y <= r.maxY; }

bool segmentsCross(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy)
{
    auto orient = [](double px, double py, double qx, double qy, double rx, double ry) {
        double v = (qx - px) * (ry - py) - (qy - py) * (rx - px);
        return v > 0 ? 1 : (v < 0 ? -1 : 0);
    };
    int o1 = orient(ax, ay, bx, by, cx, cy), o2 = orient(ax, ay, bx, by, dx, dy);
    int o3 = orient(cx, cy, dx, dy, ax, ay), o4 = orient(cx, cy, dx, dy, bx, by);
    return o1 != o2 && o3 != o4;
}

bool segmentMeetsRect(const AcGePoint3d& a, const AcGePoint3d& b, const Rect& r)
{
    if (inRect(a, r) || inRect(b, r)) return true;
    const double xs[4] = {r.minX, r.maxX, r.maxX, r.minX};
    const double ys[4] = {r.minY, r.minY, r.maxY, r.maxY};
    for (int i = 0; i < 4; ++i) {
        int j = (i + 1) % 4;
        if (segmentsCross(a.x, a.y, b.x, b.y, xs[i], ys[i], xs[j], ys[j])) return true;
    }
    return false;
}

}  // namespace

bool passesNear(const DisplayList& list, double x, double y, double tolerance, double pixelsPerUnit)
{
    if (list.empty() || !list.extents.isValid()) return false;
    const AcDbExtents& e = list.extents;
    if (x < e.minPoint().x - tolerance || x > e.maxPoint().x + tolerance || y < e.minPoint().y - tolerance ||
        y > e.maxPoint().y + tolerance)
        return false;
    bool hit = false;
    for (const Primitive& p : list.prims) {
        forEachPiece(list, p, pixelsPerUnit, [&](const Piece& piece) {
            if (hit) return;
            if (!piece.outline.empty()) {
                if (insideOutline(x, y, piece.outline)) hit = true;
                for (size_t i = 0; !hit && i < piece.outline.size(); ++i)
                    if (segmentDistance(x, y, piece.outline[i], piece.outline[(i + 1) % piece.outline.size()]) <=
                        tolerance)
                        hit = true;
                return;
            }
            if (segmentDistance(x, y, piece.a, piece.b) <= tolerance + piece.halfWidth) hit = true;
        });
        if (hit) return true;
    }
    return false;
}

bool insideWindow(const DisplayList& list, const Rect& r)
{
    if (list.empty() || !list.extents.isValid()) return false;
    return inRect(list.extents.minPoint(), r) && inRect(list.extents.maxPoint(), r);
}

bool meetsWindow(const DisplayList& list, const Rect& r, double pixelsPerUnit)
{
    if (list.empty() || !list.extents.isValid()) return false;
    const AcDbExtents& e = list.extents;
    if (e.maxPoint().x < r.minX || e.minPoint().x > r.maxX || e.maxPoint().y < r.minY || e.minPoint().y > r.maxY)
        return false;
    if (insideWindow(list, r)) return true;
    bool hit = false;
    for (const Primitive& p : list.prims) {
        forEachPiece(list, p, pixelsPerUnit, [&](const Piece& piece) {
            if (hit) return;
            if (!piece.outline.empty()) {
                const auto& o = piece.outline;
                for (size_t i = 0; !hit && i < o.size(); ++i)
                    if (segmentMeetsRect(o[i], o[(i + 1) % o.size()], r)) hit = true;
                // A window wholly inside a filled area meets it too.
                if (!hit && insideOutline(r.minX, r.minY, o)) hit = true;
                return;
            }
            if (segmentMeetsRect(piece.a, piece.b, r)) hit = true;
        });
        if (hit) return true;
    }
    return false;
}

}  // namespace arx::gi

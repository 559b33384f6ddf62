// The aperture search: a uniform grid over the extents of the display lists of
// the space shown, brought up to date from what the view redrew (an entity
// drawn again moves between cells) or built again when the lists' order or set
// changed.
#include "aperture.h"

#include <algorithm>
#include <cmath>

#include "dbsymtb.h"
#include "../gi/hit_test.h"

namespace arx {

namespace {

int gAperture = 10;

// An entity covering more cells than this is kept outside the grid.
constexpr long kMaxCellsPerEntry = 64;

int cellOf(double v, double origin, double size, int count)
{
    const double c = std::floor((v - origin) / size);
    if (!(c >= 0)) return 0;  // also NaN
    return c >= count ? count - 1 : static_cast<int>(c);
}

void place(ApertureGrid& g, std::uint32_t index, const gi::DisplayList* list)
{
    ApertureGrid::Entry& e = g.entries[index];
    e.x1 = e.x0 - 1;
    if (list == nullptr || list->empty() || !list->extents.isValid()) return;
    const AcDbExtents& x = list->extents;
    e.x0 = cellOf(x.minPoint().x, g.minX, g.cellW, g.cols);
    e.x1 = cellOf(x.maxPoint().x, g.minX, g.cellW, g.cols);
    e.y0 = cellOf(x.minPoint().y, g.minY, g.cellH, g.rows);
    e.y1 = cellOf(x.maxPoint().y, g.minY, g.cellH, g.rows);
    const long covered = static_cast<long>(e.x1 - e.x0 + 1) * (e.y1 - e.y0 + 1);
    if (covered > kMaxCellsPerEntry) {
        g.wide.push_back(index);
        e.x0 = e.y0 = -1;  // marks a wide entry
        e.x1 = e.y1 = -1;
        return;
    }
    for (int y = e.y0; y <= e.y1; ++y)
        for (int x = e.x0; x <= e.x1; ++x) g.cells[static_cast<size_t>(y) * g.cols + x].push_back(index);
}

void unplace(ApertureGrid& g, std::uint32_t index)
{
    ApertureGrid::Entry& e = g.entries[index];
    if (e.x0 == -1 && e.x1 == -1) {
        std::erase(g.wide, index);
    } else {
        for (int y = e.y0; y <= e.y1; ++y)
            for (int x = e.x0; x <= e.x1; ++x) std::erase(g.cells[static_cast<size_t>(y) * g.cols + x], index);
    }
    e.x0 = 0;
    e.x1 = -1;
}

void build(ApertureGrid& g, DocView& view)
{
    const std::vector<AcDbObjectId>& order = view.drawOrder();
    g = ApertureGrid{};
    g.built = true;
    AcDbExtents all;
    for (const AcDbObjectId& id : order)
        if (const gi::DisplayList* l = view.listOf(id); l != nullptr && l->extents.isValid()) all.addExt(l->extents);
    // About one entity a cell, at most 1024 cells a side.
    const double n = std::max<double>(1, static_cast<double>(order.size()));
    const int side = static_cast<int>(std::clamp(std::sqrt(n), 1.0, 1024.0));
    g.cols = g.rows = side;
    if (all.isValid()) {
        g.minX = all.minPoint().x;
        g.minY = all.minPoint().y;
        g.cellW = std::max((all.maxPoint().x - g.minX) / side, 1e-9);
        g.cellH = std::max((all.maxPoint().y - g.minY) / side, 1e-9);
    }
    g.cells.assign(static_cast<size_t>(g.cols) * g.rows, {});
    g.entries.resize(order.size());
    g.entryOf.reserve(order.size());
    g.seen.assign(order.size(), 0);
    for (std::uint32_t i = 0; i < order.size(); ++i) {
        AcDbStub* stub = order[i];
        g.entries[i].stub = stub;
        g.entries[i].order = i;
        g.entryOf[stub] = i;
        place(g, i, view.listOf(order[i]));
    }
}

void update(ApertureGrid& g, DocView& view)
{
    std::vector<AcDbStub*> redrawn;
    bool reordered = false;
    view.takeListChanges(redrawn, reordered);
    if (reordered || !g.built) {
        build(g, view);
        return;
    }
    for (AcDbStub* stub : redrawn) {
        auto it = g.entryOf.find(stub);
        if (it == g.entryOf.end()) {
            // Drawn outside the order the grid knows: look at everything again.
            build(g, view);
            return;
        }
        unplace(g, it->second);
        place(g, it->second, view.listOf(AcDbObjectId(stub)));
    }
}

}  // namespace

int aperturePixels() { return gAperture; }

bool setAperturePixels(int pixels)
{
    if (pixels < 1 || pixels > 50) return false;
    gAperture = pixels;
    return true;
}

std::vector<AcDbObjectId> apertureEntities(DocView& view, double px, double py)
{
    view.regenerate();
    ApertureGrid& g = view.apertureGrid();
    update(g, view);
    std::vector<AcDbObjectId> hits;
    if (g.entries.empty()) return hits;

    const double unit = view.pixelSize();
    const AcGePoint3d at = view.pixelToWorld(px, py);
    const double half = gAperture * unit;
    const gi::Rect box{at.x - half, at.y - half, at.x + half, at.y + half};

    if (++g.queryMark == 0) {  // the marks wrapped: start them afresh
        std::fill(g.seen.begin(), g.seen.end(), 0);
        g.queryMark = 1;
    }
    std::vector<std::uint32_t> candidates;
    auto consider = [&](std::uint32_t index) {
        if (g.seen[index] == g.queryMark) return;
        g.seen[index] = g.queryMark;
        candidates.push_back(index);
    };
    const int x0 = cellOf(box.minX, g.minX, g.cellW, g.cols), x1 = cellOf(box.maxX, g.minX, g.cellW, g.cols);
    const int y0 = cellOf(box.minY, g.minY, g.cellH, g.rows), y1 = cellOf(box.maxY, g.minY, g.cellH, g.rows);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            for (std::uint32_t index : g.cells[static_cast<size_t>(y) * g.cols + x]) consider(index);
    for (std::uint32_t index : g.wide) consider(index);

    // Topmost first: the later in the draw order, the higher.
    std::sort(candidates.begin(), candidates.end(), [&](std::uint32_t a, std::uint32_t b) {
        return g.entries[a].order > g.entries[b].order;
    });
    const double ppu = 1 / unit;
    for (std::uint32_t index : candidates) {
        AcDbObjectId id(g.entries[index].stub);
        const gi::DisplayList* l = view.listOf(id);
        if (l == nullptr || !gi::meetsWindow(*l, box, ppu)) continue;
        // Entities on layers turned off or frozen are not on the screen.
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbObjectId layerId = ent->layerId();
        ent->close();
        AcDbLayerTableRecord* layer = nullptr;
        bool shown = true;
        if (acdbOpenObject(layer, layerId, AcDb::kForRead) == Acad::eOk) {
            shown = !layer->isOff() && !layer->isFrozen();
            layer->close();
        }
        if (shown) hits.push_back(id);
    }
    return hits;
}

}  // namespace arx

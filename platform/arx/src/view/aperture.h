// The entities under the cursor's aperture: those whose drawing comes within a
// box of APERTURE pixels either side of a pixel of the drawing view, topmost
// first. A grid over the display lists' extents keeps the search to the few
// lists near the cursor, so a cursor move costs the same over a drawing of a
// hundred thousand entities as over a small one.
#pragma once
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "dbmain.h"
#include "doc_view.h"

namespace arx {

struct ApertureGrid {
    struct Entry {
        AcDbStub* stub = nullptr;
        std::uint32_t order = 0;  // place in the draw order: higher is drawn later, on top
        int x0 = 0, y0 = 0, x1 = -1, y1 = -1;  // cells covered; x1 < x0: in no cell
    };
    bool built = false;
    double minX = 0, minY = 0, cellW = 1, cellH = 1;
    int cols = 0, rows = 0;
    std::vector<Entry> entries;
    std::unordered_map<AcDbStub*, std::uint32_t> entryOf;
    std::vector<std::vector<std::uint32_t>> cells;  // entry indexes per cell
    std::vector<std::uint32_t> wide;                // entries too big for cells: always looked at
    std::vector<std::uint32_t> seen;                // query marks, one per entry
    std::uint32_t queryMark = 0;
};

// The aperture's half-size in pixels (APERTURE, 1 to 50; 10 unless set).
int aperturePixels();
bool setAperturePixels(int pixels);

// The entities of the space shown whose display list meets the aperture box
// around pixel (px, py), topmost first; entities on layers off or frozen are
// left out. Regenerates the view first.
std::vector<AcDbObjectId> apertureEntities(DocView& view, double px, double py);

}  // namespace arx

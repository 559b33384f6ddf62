// Pixels of the drawing view and world points, both ways, as modules ask for
// them. Window number 0 is the current viewport; so is the number the host
// gives the current viewport (CVPORT: 2 in model space, 1 in paper space).
#include <cmath>

#include "rxmfcapi.h"
#include "doc_view.h"
#include "../ap/app_state.h"

namespace {

// The view a window number names, or null.
arx::DocView* viewOf(int windnum)
{
    arx::DocView* v = arx::currentDocView();
    if (v == nullptr) return nullptr;
    if (windnum == 0) return v;
    AcDbDatabase* db = arx::appState()->current->db;
    const int cvport = db->tilemode() ? 2 : 1;
    return windnum == cvport ? v : nullptr;
}

}  // namespace

void acedCoordFromPixelToWorld(const CPoint& ptIn, acedDwgPoint ptOut)
{
    acedCoordFromPixelToWorld(0, ptIn, ptOut);
}

BOOL acedCoordFromPixelToWorld(int windnum, CPoint ptIn, acedDwgPoint ptOut)
{
    arx::DocView* v = viewOf(windnum);
    if (v == nullptr || ptOut == nullptr) return FALSE;
    AcGePoint3d w = v->pixelToWorld(ptIn.x, ptIn.y);
    ptOut[0] = w.x;
    ptOut[1] = w.y;
    ptOut[2] = w.z;
    return TRUE;
}

BOOL acedCoordFromWorldToPixel(int windnum, const acedDwgPoint ptIn, CPoint& ptOut)
{
    arx::DocView* v = viewOf(windnum);
    if (v == nullptr || ptIn == nullptr) return FALSE;
    double px = 0, py = 0;
    v->worldToPixel(AcGePoint3d(ptIn[0], ptIn[1], ptIn[2]), px, py);
    // Far outside the view a pixel no longer fits an int: such a point has none.
    if (!std::isfinite(px) || !std::isfinite(py) || std::fabs(px) > 1e9 || std::fabs(py) > 1e9) return FALSE;
    ptOut.x = static_cast<LONG>(std::lround(px));
    ptOut.y = static_cast<LONG>(std::lround(py));
    return TRUE;
}

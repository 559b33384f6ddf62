// Selection and grip editing with no command running (see grips.h).
#include "grips.h"

#include <cmath>

#include "acedads.h"
#include "commands.h"
#include "editing_commands.h"
#include "selection.h"
#include "sysvars.h"
#include "../ap/app_state.h"
#include "../view/doc_view.h"

namespace arx {

namespace {

ShownGrip gHot;
bool gHaveHot = false;

// GRIP_STRETCH: the hot grip goes to the point given.
void gripStretchCommand()
{
    if (!gHaveHot) return;
    ShownGrip hot = gHot;
    gHaveHot = false;
    ads_point base = {hot.point.x, hot.point.y, hot.point.z}, to;
    if (acedGetPoint(base, L"** STRETCH **\nSpecify stretch point or [Base point/Copy/Undo/eXit]: ", to) != RTNORM)
        return;
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, hot.entity, AcDb::kForWrite) != Acad::eOk) return;
    AcDbIntArray indices;
    indices.append(hot.index);
    if (ent->moveGripPointsAt(indices, AcGePoint3d(to[0], to[1], to[2]) - hot.point) == Acad::eOk)
        ent->close();
    else
        ent->cancel();
}

}  // namespace

std::vector<ShownGrip> shownGrips()
{
    std::vector<ShownGrip> grips;
    DocView* view = currentDocView();
    if (view == nullptr) return grips;
    for (const AcDbObjectId& id : view->pickfirst) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        AcGePoint3dArray points;
        AcDbIntArray osnaps, geomIds;
        if (ent->getGripPoints(points, osnaps, geomIds) == Acad::eOk)
            for (int i = 0; i < points.length(); ++i) grips.push_back({id, i, points[i]});
        ent->close();
    }
    return grips;
}

void clearPickfirst()
{
    DocView* view = currentDocView();
    if (view == nullptr) return;
    for (const AcDbObjectId& id : view->pickfirst) highlightEntity(id, false);
    view->pickfirst.clear();
}

ClickResult clickInView(int px, int py)
{
    if (activeCommandCount() > 0) return ClickResult::kRefused;
    DocView* view = currentDocView();
    if (view == nullptr) return ClickResult::kNothing;
    view->regenerate();
    // A grip of the selection under the cursor becomes hot.
    const double reach = gripSizePixels();
    for (const ShownGrip& g : shownGrips()) {
        double gx = 0, gy = 0;
        view->worldToPixel(g.point, gx, gy);
        if (std::fabs(gx - px) <= reach && std::fabs(gy - py) <= reach) {
            gHot = g;
            gHaveHot = true;
            std::string message;
            runCommand(L"GRIP_STRETCH", message);
            gHaveHot = false;
            return ClickResult::kGripEdited;
        }
    }
    AcDbObjectId hit = pickEntity(*view, view->pixelToWorld(px, py));
    if (hit.isNull()) {
        clearPickfirst();
        return ClickResult::kCleared;
    }
    if (std::find(view->pickfirst.begin(), view->pickfirst.end(), hit) == view->pickfirst.end()) {
        view->pickfirst.push_back(hit);
        highlightEntity(hit, true);
    }
    return ClickResult::kSelected;
}

void registerGripCommand(AcEdCommandStack* stack)
{
    stack->addCommand(L"ACAD", L"GRIP_STRETCH", L"GRIP_STRETCH", ACRX_CMD_MODAL, &gripStretchCommand);
}

}  // namespace arx

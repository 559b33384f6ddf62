// Input point monitors and each document's list of them, and the input points
// the drawing view's cursor gives them.
#include "inputpoint.h"

#include <algorithm>

#include "acdocman.h"
#include "acedinpt.h"
#include "../ap/app_state.h"
#include "../db/builtin.h"
#include "../view/aperture.h"
#include "../view/doc_view.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcEdInputPointMonitor, AcRxObject)

AcEdInputPointMonitor::AcEdInputPointMonitor() = default;
AcEdInputPointMonitor::~AcEdInputPointMonitor() = default;

Acad::ErrorStatus AcEdInputPointMonitor::monitorInputPoint(const AcEdInputPoint& in, AcEdInputPointMonitorResult& out)
{
    bool append = false;
    ACHAR* tooltip = nullptr;
    static const AcDbCustomOsnapModeArray kNoModes;
    static const AcArrayObjectIdArray kNoNested;
    static const AcGsMarkerArray kNoMarks;
    static const AcDbObjectIdArray kNoIds;
    static const AcArray<AcGeCurve3d*> kNoPaths;
    Acad::ErrorStatus es = monitorInputPoint(
        append, tooltip, in.drawContext(), in.document(), in.pointComputed(), in.history(), in.lastPoint(),
        in.rawPoint(), in.grippedPoint(), in.cartesianSnappedPoint(), in.osnappedPoint(), AcDb::kOsMaskNone, kNoModes,
        AcDb::kOsMaskNone, kNoModes, in.pickedEntities(), kNoNested, kNoMarks, kNoIds, kNoNested, kNoMarks, kNoPaths,
        in.computedPoint(), nullptr);
    out.setAppendToTooltipStr(append);
    out.setAdditionalTooltipString(tooltip);
    return es;
}

Acad::ErrorStatus AcEdInputPointMonitor::monitorInputPoint(bool&, ACHAR*&, AcGiViewportDraw*, AcApDocument*, bool, int,
                                                           const AcGePoint3d&, const AcGePoint3d&, const AcGePoint3d&,
                                                           const AcGePoint3d&, const AcGePoint3d&, AcDb::OsnapMask,
                                                           const AcDbCustomOsnapModeArray&, AcDb::OsnapMask,
                                                           const AcDbCustomOsnapModeArray&, const AcDbObjectIdArray&,
                                                           const AcArrayObjectIdArray&, const AcGsMarkerArray&,
                                                           const AcDbObjectIdArray&, const AcArrayObjectIdArray&,
                                                           const AcGsMarkerArray&, const AcArray<AcGeCurve3d*>&,
                                                           const AcGePoint3d&, const ACHAR*)
{
    return Acad::eOk;
}

bool AcEdInputPointMonitor::excludeFromOsnapCalculation(const AcArray<AcDbObjectId>&, Adesk::GsMarker) { return false; }

AcEdInputPointManager::~AcEdInputPointManager() = default;

Acad::ErrorStatus AcEdInputPointManager::addPointMonitor(AcEdInputPointMonitor* monitor)
{
    if (monitor == nullptr) return Acad::eNullObjectPointer;
    if (std::find(mMonitors.begin(), mMonitors.end(), monitor) != mMonitors.end()) return Acad::eDuplicateKey;
    mMonitors.push_back(monitor);
    return Acad::eOk;
}

Acad::ErrorStatus AcEdInputPointManager::removePointMonitor(AcEdInputPointMonitor* monitor)
{
    auto it = std::find(mMonitors.begin(), mMonitors.end(), monitor);
    if (it == mMonitors.end()) return Acad::eKeyNotFound;
    mMonitors.erase(it);
    return Acad::eOk;
}

namespace arx {

bool sendInputPoint(double px, double py)
{
    AppState* app = appState();
    if (app == nullptr || app->current == nullptr) return false;
    Document* doc = app->current;
    DocView& view = docView(doc);
    AcEdInputPoint in;
    in.mDocument = doc;
    in.mPointComputed = true;
    in.mHistory = AcDb::kNotDigitizer;
    in.mAperture.setLogicalLength(0);
    for (const AcDbObjectId& id : apertureEntities(view, px, py)) in.mAperture.append(id);
    in.mRawPoint = view.pixelToWorld(px, py);
    in.mLastPoint = in.mRawPoint;
    // Each monitor on the list when the point came is told, unless it left
    // the list meanwhile (a monitor may remove itself or another).
    AcEdInputPointManager* manager = doc->inputPointManager();
    const std::vector<AcEdInputPointMonitor*> monitors = manager->monitors();
    for (AcEdInputPointMonitor* m : monitors) {
        const auto& now = manager->monitors();
        if (std::find(now.begin(), now.end(), m) == now.end()) continue;
        AcEdInputPointMonitorResult out;
        m->monitorInputPoint(in, out);
        // The document may have gone while a monitor ran (it closed it).
        if (appState()->current != doc) break;
    }
    return true;
}

}  // namespace arx

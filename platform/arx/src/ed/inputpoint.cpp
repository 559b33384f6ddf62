// Input point monitors and each document's list of them.
#include <algorithm>

#include "acedinpt.h"
#include "../db/builtin.h"

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

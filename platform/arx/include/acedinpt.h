// Input point monitors: objects told of every point the cursor gives in a
// document's drawing view, with the entities in the pick aperture.
#pragma once
#include <vector>

#include "acarray.h"
#include "dbmain.h"
#include "rxboiler.h"

class AcApDocument;
class AcGiViewportDraw;
class AcDbCustomOsnapMode;
class AcEdInputPoint;
class AcEdInputPointMonitorResult;
using AcDbObjectIdArray = AcArray<AcDbObjectId>;
using AcArrayObjectIdArray = AcArray<AcDbObjectIdArray>;
using AcGsMarkerArray = AcArray<Adesk::GsMarker>;
using AcDbCustomOsnapModeArray = AcArray<AcDbCustomOsnapMode*>;

namespace AcDb {
enum PointHistory { kTentative = 0x0000, kNotDigitizer = 0x0002, kLastPoint = 0x0004, kGripped = 0x0008,
                    kCartSnapped = 0x0010, kOsnapped = 0x0020, kUsedPickBox = 0x0100 };
enum OsnapMask { kOsMaskEnd = 0x0001, kOsMaskNone = 0x0000 };
}  // namespace AcDb

// One input point event: what the host computed for a cursor position.
class ARXHOST_EXPORT AcEdInputPoint {
public:
    AcApDocument* document() const { return mDocument; }
    bool pointComputed() const { return mPointComputed; }
    int history() const { return mHistory; }
    const AcGePoint3d& lastPoint() const { return mLastPoint; }
    const AcGePoint3d& rawPoint() const { return mRawPoint; }
    const AcGePoint3d& grippedPoint() const { return mRawPoint; }
    const AcGePoint3d& cartesianSnappedPoint() const { return mRawPoint; }
    const AcGePoint3d& osnappedPoint() const { return mRawPoint; }
    const AcGePoint3d& computedPoint() const { return mRawPoint; }
    const AcDbObjectIdArray& pickedEntities() const { return mAperture; }
    AcGiViewportDraw* drawContext() const { return nullptr; }

    AcApDocument* mDocument = nullptr;
    bool mPointComputed = false;
    int mHistory = 0;
    AcGePoint3d mLastPoint;
    AcGePoint3d mRawPoint;
    AcDbObjectIdArray mAperture;
};

// What monitors may add to an input point event: tooltip text.
class ARXHOST_EXPORT AcEdInputPointMonitorResult {
public:
    bool appendToTooltipStr() const { return mAppend; }
    const ACHAR* additionalTooltipString() const { return mTooltip; }
    void setAppendToTooltipStr(bool append) { mAppend = append; }
    void setAdditionalTooltipString(const ACHAR* text) { mTooltip = text; }

private:
    bool mAppend = false;
    const ACHAR* mTooltip = nullptr;
};

class ARXHOST_EXPORT AcEdInputPointMonitor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdInputPointMonitor);
    ~AcEdInputPointMonitor() override;
    // The short form passes the input point's data on to the long form.
    virtual Acad::ErrorStatus monitorInputPoint(const AcEdInputPoint& input, AcEdInputPointMonitorResult& output);
    virtual Acad::ErrorStatus monitorInputPoint(
        bool& appendToTooltipStr, ACHAR*& additionalTooltipString, AcGiViewportDraw* drawContext,
        AcApDocument* document, bool pointComputed, int history, const AcGePoint3d& lastPoint,
        const AcGePoint3d& rawPoint, const AcGePoint3d& grippedPoint, const AcGePoint3d& cartesianSnappedPoint,
        const AcGePoint3d& osnappedPoint, AcDb::OsnapMask osnapMask,
        const AcDbCustomOsnapModeArray& customOsnapModes, AcDb::OsnapMask osnapOverrides,
        const AcDbCustomOsnapModeArray& customOsnapOverrides, const AcDbObjectIdArray& apertureEntities,
        const AcArrayObjectIdArray& nestedApertureEntities, const AcGsMarkerArray& gsSelectionMark,
        const AcDbObjectIdArray& keyPointEntities, const AcArrayObjectIdArray& nestedKeyPointEntities,
        const AcGsMarkerArray& keyPointGsSelectionMark, const AcArray<class AcGeCurve3d*>& alignmentPaths,
        const AcGePoint3d& computedPoint, const ACHAR* tooltipString);
    virtual bool excludeFromOsnapCalculation(const AcArray<AcDbObjectId>& nestedEntity, Adesk::GsMarker gsSelectionMark);

protected:
    AcEdInputPointMonitor();
};

class ARXHOST_EXPORT AcEdInputPointManager {
public:
    virtual ~AcEdInputPointManager();
    Acad::ErrorStatus addPointMonitor(AcEdInputPointMonitor* monitor);
    Acad::ErrorStatus removePointMonitor(AcEdInputPointMonitor* monitor);
    int monitorCount() const { return static_cast<int>(mMonitors.size()); }
    const std::vector<AcEdInputPointMonitor*>& monitors() const { return mMonitors; }

private:
    std::vector<AcEdInputPointMonitor*> mMonitors;
};

// VelaTonePmReactor: the hover monitor of one document, an input point monitor
// in that document's input point manager. A cursor resting on the icon of a
// wholly visible voice note raises the tag window over the icon; a cursor over
// no entity removes a tag window that is not playing.
#pragma once
#include "StdAfx.h"

class VELATONE_EXPORT VelaTonePmReactor : public AcEdInputPointMonitor {
public:
    ACRX_DECLARE_MEMBERS(VelaTonePmReactor);
    explicit VelaTonePmReactor(AcApDocument* pDoc = NULL);
    ~VelaTonePmReactor() override;

    // The host's two-argument form stays: it passes the point on to the long form.
    using AcEdInputPointMonitor::monitorInputPoint;
    Acad::ErrorStatus monitorInputPoint(
        bool& appendToTooltipStr, ACHAR*& additionalTooltipString, AcGiViewportDraw* drawContext,
        AcApDocument* document, bool pointComputed, int history, const AcGePoint3d& lastPoint,
        const AcGePoint3d& rawPoint, const AcGePoint3d& grippedPoint, const AcGePoint3d& cartesianSnappedPoint,
        const AcGePoint3d& osnappedPoint, AcDb::OsnapMask osnapMask, const AcDbCustomOsnapModeArray& customOsnapModes,
        AcDb::OsnapMask osnapOverrides, const AcDbCustomOsnapModeArray& customOsnapOverrides,
        const AcDbObjectIdArray& apertureEntities, const AcArrayObjectIdArray& nestedApertureEntities,
        const AcGsMarkerArray& gsSelectionMark, const AcDbObjectIdArray& keyPointEntities,
        const AcArrayObjectIdArray& nestedKeyPointEntities, const AcGsMarkerArray& keyPointGsSelectionMark,
        const AcArray<AcGeCurve3d*>& alignmentPaths, const AcGePoint3d& computedPoint,
        const ACHAR* tooltipString) override;
    bool excludeFromOsnapCalculation(const AcArray<AcDbObjectId>& nestedEntity, Adesk::GsMarker gsSelectionMark) override;

    void Attach(AcApDocument* pDoc);
    void Detach();
    AcApDocument* Subject() const;
    bool IsAttached() const;
    // Forgets a document that went without being detached from (its input
    // point manager is gone with it).
    void Abandon();

    // Whether the square lies wholly inside the drawing view.
    static bool IsVisible(const AcDbExtents& square);

private:
    AcApDocument* m_pDocument;
};

// The hover monitor: on every input point of its document it looks for voice
// note icons under the cursor in the pick aperture and raises, moves or
// removes the tag window.
#include "VelaTonePmReactor.h"

#include "QkDbVelaTone.h"
#include "VelaToneTagUIDlg.h"

ACRX_CONS_DEFINE_MEMBERS(VelaTonePmReactor, AcEdInputPointMonitor, 1)

namespace {

const int kTagSize = 36;

}  // namespace

VelaTonePmReactor::VelaTonePmReactor(AcApDocument* pDoc) : m_pDocument(NULL)
{
    if (pDoc != NULL) {
        m_pDocument = pDoc;
        pDoc->inputPointManager()->addPointMonitor(this);
    }
}

VelaTonePmReactor::~VelaTonePmReactor()
{
    Detach();
    if (gpTagUIDlg != NULL && !gpTagUIDlg->IsPlaying() && gpTagUIDlg->GetSafeHwnd() != NULL)
        gpTagUIDlg->ShowWindow(SW_HIDE);
}

bool VelaTonePmReactor::excludeFromOsnapCalculation(const AcArray<AcDbObjectId>&, Adesk::GsMarker) { return false; }

bool VelaTonePmReactor::IsVisible(const AcDbExtents& square)
{
    CView* pView = acedGetAcadDwgView();
    if (pView == NULL) return false;
    CRect client;
    pView->GetClientRect(&client);
    acedDwgPoint topLeft, bottomRight;
    if (!acedCoordFromPixelToWorld(0, CPoint(client.left, client.top), topLeft)) return false;
    if (!acedCoordFromPixelToWorld(0, CPoint(client.right, client.bottom), bottomRight)) return false;
    AcDbExtents view;
    view.addPoint(AcGePoint3d(topLeft[0], topLeft[1], 0));
    view.addPoint(AcGePoint3d(bottomRight[0], bottomRight[1], 0));
    return view.maxPoint().x >= square.maxPoint().x && view.maxPoint().y >= square.maxPoint().y &&
           square.minPoint().x >= view.minPoint().x && square.minPoint().y >= view.minPoint().y;
}

Acad::ErrorStatus VelaTonePmReactor::monitorInputPoint(
    bool&, ACHAR*&, AcGiViewportDraw*, AcApDocument*, bool pointComputed, int, const AcGePoint3d&,
    const AcGePoint3d& rawPoint, const AcGePoint3d&, const AcGePoint3d&, const AcGePoint3d&, AcDb::OsnapMask,
    const AcDbCustomOsnapModeArray&, AcDb::OsnapMask, const AcDbCustomOsnapModeArray&,
    const AcDbObjectIdArray& apertureEntities, const AcArrayObjectIdArray&, const AcGsMarkerArray&,
    const AcDbObjectIdArray&, const AcArrayObjectIdArray&, const AcGsMarkerArray&, const AcArray<AcGeCurve3d*>&,
    const AcGePoint3d&, const ACHAR*)
{
    if (!pointComputed) return Acad::eOk;
    if (apertureEntities.isEmpty()) {
        if (gpTagUIDlg != NULL && !gpTagUIDlg->IsPlaying()) CVelaToneTagUIDlg::DestroyTag();
        return Acad::eOk;
    }
    if (gpTagUIDlg != NULL && gpTagUIDlg->IsPlaying()) return Acad::eOk;

    for (int i = 0; i < apertureEntities.length(); ++i) {
        AcDbEntity* pEnt = NULL;
        if (acdbOpenAcDbEntity(pEnt, apertureEntities[i], AcDb::kForRead) != Acad::eOk) continue;
        QkDbVelaTone* pNote = QkDbVelaTone::cast(pEnt);
        if (pNote != NULL) {
            const AcGePoint3d base = pNote->m_IconBase;
            const double u = pNote->m_RefUnits;
            AcDbExtents square;
            square.addPoint(base);
            square.addPoint(AcGePoint3d(base.x + u, base.y + u, 0));
            const bool hit = square.minPoint().x <= rawPoint.x && rawPoint.x <= square.maxPoint().x &&
                             square.minPoint().y <= rawPoint.y && rawPoint.y <= square.maxPoint().y;
            if (hit && !pNote->IsPlaying() && IsVisible(square)) {
                acedDwgPoint corner = {base.x, base.y, base.z};
                CPoint pixel;
                CView* pView = acedGetAcadDwgView();
                if (pView != NULL && acedCoordFromWorldToPixel(0, corner, pixel)) {
                    pView->ClientToScreen(&pixel);
                    pixel.y -= kTagSize;
                    CVelaToneTagUIDlg::ShowFor(pNote, pixel);
                }
            }
        }
        pEnt->close();
    }
    return Acad::eOk;
}

void VelaTonePmReactor::Attach(AcApDocument* pDoc)
{
    Detach();
    if (m_pDocument == NULL) {
        m_pDocument = pDoc;
        if (pDoc != NULL) pDoc->inputPointManager()->addPointMonitor(this);
    }
}

void VelaTonePmReactor::Detach()
{
    if (m_pDocument != NULL) {
        m_pDocument->inputPointManager()->removePointMonitor(this);
        m_pDocument = NULL;
    }
}

void VelaTonePmReactor::Abandon() { m_pDocument = NULL; }

AcApDocument* VelaTonePmReactor::Subject() const { return m_pDocument; }
bool VelaTonePmReactor::IsAttached() const { return m_pDocument != NULL; }

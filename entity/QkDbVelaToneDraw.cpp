// QkDbVelaTone: how a note draws itself. The icon keeps 32 pixels of the
// current view on every zoom: a speaker with sound waves when the note holds a
// recording, a microphone when it does not, a green play marker while it plays,
// and the duration above it; beside a target marker (Point), on the corner of a
// dashed frame (Region) or of the attached entity's extents (Object).
#include "QkDbVelaTone.h"
#include "VelaToneViewer.h"

#include "rxmfcapi.h"

#include <cstdlib>

namespace {

// The icon stands 0.6 of its size up and to the right of a Point note's anchor.
const double kIconAngle = 0.785;
const double kIconDistance = 0.6;

}  // namespace

double QkDbVelaTone::calcRefUnits() const
{
    acedDwgPoint ptLeft = {0.0, 0.0, 0.0};
    acedDwgPoint ptRight = {0.0, 0.0, 0.0};
    acedCoordFromPixelToWorld(0, CPoint(0, 0), ptLeft);
    acedCoordFromPixelToWorld(0, CPoint(32, 0), ptRight);
    return ptRight[0] - ptLeft[0];
}

AcGePoint3d QkDbVelaTone::pointIconBase() const
{
    AcGeVector3d vec(m_RefUnits, 0.0, 0.0);
    vec.rotateBy(kIconAngle, AcGeVector3d::kZAxis);
    vec.transformBy(AcGeMatrix3d::scaling(kIconDistance, AcGePoint3d::kOrigin));
    return m_Position + vec;
}

bool QkDbVelaTone::hasPlace() const
{
    if (m_Type != kRegion && m_Type != kObject) return true;
    AcGePoint3d lo = m_Extents.minPoint(), hi = m_Extents.maxPoint();
    return lo.x <= hi.x && lo.y <= hi.y && lo.z <= hi.z;
}

Adesk::UInt32 QkDbVelaTone::subSetAttributes(AcGiDrawableTraits* traits)
{
    assertReadEnabled();
    return AcDbEntity::subSetAttributes(traits);
}

Adesk::Boolean QkDbVelaTone::subWorldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode->context()->isPlotGeneration()) return Adesk::kTrue;
    if (!IsShowVelaTone()) return Adesk::kTrue;
    m_RefUnits = calcRefUnits();

    // A recording of less than 100 bytes is no recording. It is dropped from the
    // note in memory, without a write open: no undo record, no modified mark.
    if (m_pAudioData != NULL && audioLength() < 100) {
        free(m_pAudioData);
        m_pAudioData = NULL;
        CString duration;
        duration.Format(_T("%d.%d\""), 0, 0);
        m_Duration = static_cast<LPCTSTR>(duration);
        m_HasRecord = false;
    }

    // A note without a place (an Object note whose entity was never found)
    // draws nothing: its icon would stand at the edge of the world.
    if (!hasPlace()) return Adesk::kTrue;

    switch (m_Type) {
    case kPoint:
        DrawPoint(mode);
        break;
    case kRegion:
        if (m_ShowRegion) DrawRegion(mode);
        break;
    case kObject:
        DrawObject(mode);
        break;
    default:
        break;
    }
    DrawTextW(mode);
    DrawImage(mode);
    DrawLight(mode);
    return Adesk::kTrue;
}

void QkDbVelaTone::subViewportDraw(AcGiViewportDraw* mode)
{
    assertReadEnabled();
    AcDbEntity::subViewportDraw(mode);
}

Adesk::UInt32 QkDbVelaTone::subViewportDrawLogicalFlags(AcGiViewportDraw* vd)
{
    assertReadEnabled();
    return 0;
}

// The target marker at the anchor, and the icon up and to the right of it.
int QkDbVelaTone::DrawPoint(AcGiWorldDraw* mode)
{
    const double u = m_RefUnits;
    mode->subEntityTraits().setColor(9);
    m_IconBase = pointIconBase();
    mode->geometry().circle(m_Position, u / 10.0, AcGeVector3d::kZAxis);
    AcGePoint3d pts[2];
    pts[0].set(m_Position.x - u / 5.0, m_Position.y, m_Position.z);
    pts[1].set(m_Position.x + u / 5.0, m_Position.y, m_Position.z);
    mode->geometry().worldLine(pts);
    pts[0].set(m_Position.x, m_Position.y - u / 5.0, m_Position.z);
    pts[1].set(m_Position.x, m_Position.y + u / 5.0, m_Position.z);
    mode->geometry().worldLine(pts);
    return 0;
}

// The dashed frame, in "DASHEDX2" (loaded from korvo.lin when the drawing
// lacks it), with the icon on its upper right corner.
int QkDbVelaTone::DrawRegion(AcGiWorldDraw* mode)
{
    mode->subEntityTraits().setColor(8);
    AcDbDatabase* pDb = acdbHostApplicationServices()->workingDatabase();
    AcDbLinetypeTable* pLtTable = NULL;
    if (pDb != NULL && pDb->getLinetypeTable(pLtTable, AcDb::kForRead) == Acad::eOk) {
        AcDbObjectId ltId;
        Acad::ErrorStatus es = pLtTable->getAt(_T("DASHEDX2"), ltId, true);
        pLtTable->close();
        if (es != Acad::eOk) {
            pDb->loadLineTypeFile(_T("DASHEDX2"), _T("korvo.lin"));
            if (pDb->getLinetypeTable(pLtTable, AcDb::kForRead) == Acad::eOk) {
                es = pLtTable->getAt(_T("DASHEDX2"), ltId, true);
                pLtTable->close();
            }
        }
        if (es == Acad::eOk) mode->subEntityTraits().setLineType(ltId);
    }
    AcGePoint3d lo = m_Extents.minPoint(), hi = m_Extents.maxPoint();
    AcGePoint3d frame[5];
    frame[0] = lo;
    frame[1].set(hi.x, lo.y, 0.0);
    frame[2] = hi;
    frame[3].set(lo.x, hi.y, 0.0);
    frame[4] = lo;
    mode->geometry().polyline(5, frame, NULL, -1);
    m_IconBase = hi;
    return 0;
}

// The attached entity stands for the note: only the icon goes on its corner.
int QkDbVelaTone::DrawObject(AcGiWorldDraw* mode)
{
    m_IconBase = m_Extents.maxPoint();
    return 0;
}

// The duration, above the icon.
int QkDbVelaTone::DrawTextW(AcGiWorldDraw* mode)
{
    const double u = m_RefUnits;
    mode->subEntityTraits().setColor(9);
    AcGePoint3d pos(m_IconBase.x + 0.125 * u, m_IconBase.y + 1.3 * u, 0.0);
    mode->geometry().text(pos, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, u / 3.0, 1.0, 0.0, m_Duration.kwszPtr());
    return 0;
}

// The icon in its square: a speaker with two-line sound waves, or a microphone.
int QkDbVelaTone::DrawImage(AcGiWorldDraw* mode)
{
    const double u = m_RefUnits;
    const double bx = m_IconBase.x, by = m_IconBase.y;
    AcGiSubEntityTraits& traits = mode->subEntityTraits();
    AcGiWorldGeometry& geom = mode->geometry();
    traits.setColor(9);
    traits.setFillType(kAcGiFillNever);
    if (m_HasRecord) {
        traits.setFillType(kAcGiFillAlways);
        const double cx = bx + 0.25 * u, cy = by + 0.5 * u;
        AcDbPolyline dot(3);
        dot.addVertexAt(0, AcGePoint2d(cx - u / 50.0, cy), 1.0, u / 25.0, u / 25.0);
        dot.addVertexAt(1, AcGePoint2d(cx + u / 50.0, cy), 1.0, u / 25.0, u / 25.0);
        dot.addVertexAt(2, AcGePoint2d(cx - u / 50.0, cy), 0.0, u / 25.0, u / 25.0);
        geom.pline(dot);
        const AcGePoint3d centre(cx, cy, 0.0);
        const AcGeVector3d waveStart(1.0, -1.0, 0.0);
        const double radii[6] = {u / 6.0, u / 6.0 + u / 128.0, u / 3.0, u / 3.0 + u / 128.0,
                                 u / 2.0, u / 2.0 + u / 128.0};
        for (int i = 0; i < 6; i++)
            geom.circularArc(centre, radii[i], AcGeVector3d::kZAxis, waveStart, 1.570796325, kAcGiArcSimple);
        return 0;
    }

    // The head: two half discs joined by a filled square.
    traits.setFillType(kAcGiFillAlways);
    geom.circularArc(AcGePoint3d(bx + 0.5 * u, by + 0.5 * u, 0.0), u / 8.0, AcGeVector3d::kZAxis,
                     AcGeVector3d(-1.0, 0.0, 0.0), 3.14159265, kAcGiArcChord);
    geom.circularArc(AcGePoint3d(bx + 0.5 * u, by + 0.75 * u, 0.0), u / 8.0, AcGeVector3d::kZAxis,
                     AcGeVector3d(1.0, 0.0, 0.0), 3.14159265, kAcGiArcChord);
    AcGePoint3d head[4];
    head[0].set(bx + 0.375 * u, by + 0.5 * u, 0.0);
    head[1].set(bx + 0.625 * u, by + 0.5 * u, 0.0);
    head[2].set(bx + 0.625 * u, by + 0.75 * u, 0.0);
    head[3].set(bx + 0.375 * u, by + 0.75 * u, 0.0);
    geom.polygon(4, head);

    // The stand and its foot.
    traits.setFillType(kAcGiFillNever);
    AcDbPolyline stand(6);
    stand.addVertexAt(0, AcGePoint2d(bx + 0.25 * u, by + 0.5625 * u), 0.0);
    stand.addVertexAt(1, AcGePoint2d(bx + 0.25 * u, by + 0.375 * u), 0.414214);
    stand.addVertexAt(2, AcGePoint2d(bx + 0.375 * u, by + 0.25 * u), 0.0);
    stand.addVertexAt(3, AcGePoint2d(bx + 0.625 * u, by + 0.25 * u), 0.414214);
    stand.addVertexAt(4, AcGePoint2d(bx + 0.75 * u, by + 0.375 * u), 0.0);
    stand.addVertexAt(5, AcGePoint2d(bx + 0.75 * u, by + 0.5625 * u), 0.0);
    stand.setConstantWidth(u / 128.0);
    geom.pline(stand);
    AcGePoint3d pts[2];
    pts[0].set(bx + 0.5 * u, by + 0.25 * u, 0.0);
    pts[1].set(bx + 0.5 * u, by + 0.0625 * u, 0.0);
    geom.worldLine(pts);
    pts[0].set(bx + 0.375 * u, by + 0.0625 * u, 0.0);
    pts[1].set(bx + 0.625 * u, by + 0.0625 * u, 0.0);
    geom.worldLine(pts);

    // The grille, in black.
    AcCmEntityColor black;
    black.setColorMethod(AcCmEntityColor::kByColor);
    black.setRGB(0, 0, 0);
    traits.setTrueColor(black);
    pts[0].set(bx + 0.375 * u, by + 0.5 * u, 0.0);
    pts[1].set(bx + 0.625 * u, by + 0.5 * u, 0.0);
    geom.worldLine(pts);
    pts[0].set(bx + 0.625 * u, by + 0.75 * u, 0.0);
    pts[1].set(bx + 0.375 * u, by + 0.75 * u, 0.0);
    geom.worldLine(pts);
    pts[0].set(bx + 0.375 * u, by + 0.625 * u, 0.0);
    pts[1].set(bx + 0.625 * u, by + 0.625 * u, 0.0);
    geom.worldLine(pts);
    pts[0].set(bx + (0.375 + 1.0 / 12.0) * u, by + 0.5 * u, 0.0);
    pts[1].set(bx + (0.375 + 1.0 / 12.0) * u, by + 0.75 * u, 0.0);
    geom.worldLine(pts);
    pts[0].set(bx + (0.375 + 1.0 / 6.0) * u, by + 0.5 * u, 0.0);
    pts[1].set(bx + (0.375 + 1.0 / 6.0) * u, by + 0.75 * u, 0.0);
    geom.worldLine(pts);
    return 0;
}

// The play marker: a green triangle pointing right on the icon's upper right
// corner, while a note with a recording plays.
int QkDbVelaTone::DrawLight(AcGiWorldDraw* mode)
{
    if (!m_HasRecord || !m_IsPlaying) return 0;
    const double u = m_RefUnits;
    mode->subEntityTraits().setColor(3);
    mode->subEntityTraits().setFillType(kAcGiFillAlways);
    AcDbPolyline marker(2);
    marker.addVertexAt(0, AcGePoint2d(m_IconBase.x + u - u / 10.0, m_IconBase.y + u), 0.0, 3.0 * u / 10.0, 0.0);
    marker.addVertexAt(1, AcGePoint2d(m_IconBase.x + u + u / 10.0, m_IconBase.y + u));
    mode->geometry().pline(marker);
    return 0;
}

// Where the note stands: from its icon's base point, 32 pixels of the current
// view across and 1.8 times that up (the icon and the duration above it).
Acad::ErrorStatus QkDbVelaTone::subGetGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    // A Region or Object note without a rectangle has no place to measure.
    if (!hasPlace()) return Acad::eInvalidExtents;
    AcGePoint3d base;
    if (m_Type == kPoint)
        base = pointIconBase();
    else if (m_Type == kRegion || m_Type == kObject)
        base = m_Extents.maxPoint();
    else
        base = m_IconBase;  // a Reply note has no rectangle: it stands where its icon is drawn
    const double d = calcRefUnits();
    extents.addPoint(base);
    extents.addPoint(AcGePoint3d(base.x + d, base.y + 1.8 * d, 0.0));
    return Acad::eOk;
}

void QkDbVelaTone::getImageRegion(AcDbExtents& extents)
{
    extents.addPoint(m_IconBase);
    extents.addPoint(AcGePoint3d(m_IconBase.x + m_RefUnits, m_IconBase.y + m_RefUnits, 0.0));
}

bool QkDbVelaTone::ShowRegion(bool show)
{
    AcApDocument* pDoc = acDocManagerPtr()->curDocument();
    acDocManagerPtr()->lockDocument(pDoc, AcAp::kWrite, NULL, NULL, true);
    AcDbObject* pObj = NULL;
    if (acdbOpenAcDbObject(pObj, objectId(), AcDb::kForWrite, QkDbVelaTone::desc(), false) == Acad::eOk) {
        QkDbVelaTone* pNote = QkDbVelaTone::cast(pObj);
        pNote->m_ShowRegion = show;
        pNote->recordGraphicsModified(true);
        pNote->close();
    }
    acDocManagerPtr()->unlockDocument(pDoc);
    return true;
}

void QkDbVelaTone::doHighlight()
{
    if (m_Type == kRegion) {
        m_ShowRegion = true;
        ShowRegion(true);
    } else if (m_Type == kObject) {
        AcDbEntity* pEnt = NULL;
        if (acdbOpenAcDbEntity(pEnt, m_AttEntId, AcDb::kForRead) == Acad::eOk) {
            pEnt->highlight(g_NullSubentPath, false);
            pEnt->close();
        }
    }
}

void QkDbVelaTone::doUnhighlight()
{
    if (m_Type == kRegion) {
        m_ShowRegion = false;
        ShowRegion(false);
    } else if (m_Type == kObject) {
        AcDbEntity* pEnt = NULL;
        if (acdbOpenAcDbEntity(pEnt, m_AttEntId, AcDb::kForRead) == Acad::eOk) {
            pEnt->unhighlight(g_NullSubentPath, false);
            pEnt->close();
        }
    }
}

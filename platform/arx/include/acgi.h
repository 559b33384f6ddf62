// The graphics interface: what an entity draws itself through. The host hands
// worldDraw an AcGiWorldDraw; the entity sets colours, linetypes and fills on
// its sub-entity traits and draws circles, arcs, polylines, polygons, text and
// lightweight polylines through its geometry, in world coordinates. The host
// records what it draws and paints it in every view.
#pragma once
#include "acdb.h"
#include "dbcolor.h"
#include "dbid.h"
#include "gemat3d.h"
#include "rxboiler.h"

class AcDbDatabase;
class AcDbEntity;
class AcDbPolyline;

// Why the host asks for graphics.
typedef enum {
    eAcGiRegenTypeInvalid = 0,
    kAcGiStandardDisplay = 2,
    kAcGiHideOrShadeCommand,
    kAcGiRenderCommand,
    kAcGiShadedDisplay = kAcGiRenderCommand,
    kAcGiForExplode,
    kAcGiSaveWorldDrawForProxy
} AcGiRegenType;

// Whether closed primitives (polygons, chord and sector arcs, wide polylines) are filled.
typedef enum { kAcGiFillAlways = 1, kAcGiFillNever } AcGiFillType;

// An arc alone, the area between the arc and its centre, or between the arc and its chord.
typedef enum { kAcGiArcSimple = 0, kAcGiArcSector, kAcGiArcChord } AcGiArcType;

typedef enum {
    kAcGiMaxDevForCircle = 0,
    kAcGiMaxDevForCurve,
    kAcGiMaxDevForBoundary,
    kAcGiMaxDevForIsoline,
    kAcGiMaxDevForFacet
} AcGiDeviationType;

class AcGiSubEntityTraits;
class AcGiGeometry;
class AcGiWorldGeometry;

// What the drawing is for: the screen or a plot.
class ARXHOST_EXPORT AcGiContext : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiContext);
    virtual Adesk::Boolean isPsOut() const = 0;
    virtual Adesk::Boolean isPlotGeneration() const = 0;
    virtual AcDbDatabase* database() const = 0;
    virtual bool isBoundaryClipping() const = 0;
};

class ARXHOST_EXPORT AcGiCommonDraw : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiCommonDraw);
    virtual AcGiRegenType regenType() const = 0;
    virtual Adesk::Boolean regenAbort() const = 0;
    virtual AcGiSubEntityTraits& subEntityTraits() const = 0;
    virtual AcGiGeometry* rawGeometry() const = 0;
    virtual Adesk::Boolean isDragging() const = 0;
    virtual double deviation(const AcGiDeviationType, const AcGePoint3d&) const = 0;
    virtual Adesk::UInt32 numberOfIsolines() const = 0;
    virtual AcGiContext* context() = 0;
};

class ARXHOST_EXPORT AcGiWorldDraw : public AcGiCommonDraw {
public:
    ACRX_DECLARE_MEMBERS(AcGiWorldDraw);
    virtual AcGiWorldGeometry& geometry() const = 0;
};

// The properties the next primitives are drawn with.
class ARXHOST_EXPORT AcGiSubEntityTraits : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiSubEntityTraits);
    virtual void setColor(const Adesk::UInt16 color) = 0;
    virtual void setTrueColor(const AcCmEntityColor& color) = 0;
    virtual void setLayer(const AcDbObjectId layerId) = 0;
    virtual void setLineType(const AcDbObjectId linetypeId) = 0;
    virtual void setSelectionMarker(const Adesk::LongPtr markerId) = 0;
    virtual void setFillType(const AcGiFillType) = 0;
    virtual void setLineWeight(const AcDb::LineWeight lw) = 0;
    virtual void setLineTypeScale(double dScale = 1.0) = 0;
    virtual void setThickness(double dThickness) = 0;

    virtual Adesk::UInt16 color() const = 0;
    virtual AcCmEntityColor trueColor() const = 0;
    virtual AcDbObjectId layerId() const = 0;
    virtual AcDbObjectId lineTypeId() const = 0;
    virtual AcGiFillType fillType() const = 0;
    virtual AcDb::LineWeight lineWeight() const = 0;
    virtual double lineTypeScale() const = 0;
    virtual double thickness() const = 0;
};

// The traits of a whole drawable, set from the entity before it draws.
class ARXHOST_EXPORT AcGiDrawableTraits : public AcGiSubEntityTraits {
public:
    ACRX_DECLARE_MEMBERS(AcGiDrawableTraits);
    virtual void setupForEntity(AcDbEntity* pEntity);
};

class ARXHOST_EXPORT AcGiGeometry : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiGeometry);
    virtual Adesk::Boolean circle(const AcGePoint3d& center, const double radius,
                                  const AcGeVector3d& normal) const = 0;
    // The circle through three points.
    virtual Adesk::Boolean circle(const AcGePoint3d&, const AcGePoint3d&, const AcGePoint3d&) const = 0;
    // An arc from startVector swept counter-clockwise about normal.
    virtual Adesk::Boolean circularArc(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal,
                                       const AcGeVector3d& startVector, const double sweepAngle,
                                       const AcGiArcType arcType = kAcGiArcSimple) const = 0;
    // The arc from start through point to end.
    virtual Adesk::Boolean circularArc(const AcGePoint3d& start, const AcGePoint3d& point, const AcGePoint3d& end,
                                       const AcGiArcType arcType = kAcGiArcSimple) const = 0;
    virtual Adesk::Boolean polyline(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList,
                                    const AcGeVector3d* pNormal = nullptr,
                                    Adesk::LongPtr lBaseSubEntMarker = -1) const = 0;
    virtual Adesk::Boolean polygon(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) const = 0;
    // Text whose letters are height tall, stretched by width and slanted by oblique (radians).
    virtual Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal,
                                const AcGeVector3d& direction, const double height, const double width,
                                const double oblique, const ACHAR* pMsg) const = 0;
    // The segments of a lightweight polyline, with its bulges and widths (numSegs 0: all).
    virtual Adesk::Boolean pline(const AcDbPolyline& lwBuf, Adesk::UInt32 fromIndex = 0,
                                 Adesk::UInt32 numSegs = 0) const = 0;
    // A line between two world points.
    virtual Adesk::Boolean worldLine(const AcGePoint3d pnts[2]) = 0;
};

class ARXHOST_EXPORT AcGiWorldGeometry : public AcGiGeometry {
public:
    ACRX_DECLARE_MEMBERS(AcGiWorldGeometry);
    virtual void setExtents(AcGePoint3d* pNewExtents) const = 0;
};

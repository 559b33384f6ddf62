// The world-draw context the host hands an entity: it records every primitive
// the entity draws, with the traits set at the time, into a display list.
#pragma once
#include "display_list.h"

namespace arx::gi {

class Recorder;

class RecordingTraits final : public AcGiDrawableTraits {
public:
    RecordingTraits() = default;
    void setColor(const Adesk::UInt16 color) override;
    void setTrueColor(const AcCmEntityColor& color) override;
    void setLayer(const AcDbObjectId layerId) override;
    void setLineType(const AcDbObjectId linetypeId) override;
    void setSelectionMarker(const Adesk::LongPtr markerId) override;
    void setFillType(const AcGiFillType type) override;
    void setLineWeight(const AcDb::LineWeight lw) override;
    void setLineTypeScale(double dScale = 1.0) override;
    void setThickness(double dThickness) override;
    Adesk::UInt16 color() const override;
    AcCmEntityColor trueColor() const override;
    AcDbObjectId layerId() const override;
    AcDbObjectId lineTypeId() const override;
    AcGiFillType fillType() const override;
    AcDb::LineWeight lineWeight() const override;
    double lineTypeScale() const override;
    double thickness() const override;

    Traits current;
    double thicknessValue = 0;
};

class RecordingGeometry final : public AcGiWorldGeometry {
public:
    explicit RecordingGeometry(Recorder& owner) : mOwner(owner) {}
    Adesk::Boolean circle(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal) const override;
    Adesk::Boolean circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) const override;
    Adesk::Boolean circularArc(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal,
                               const AcGeVector3d& startVector, const double sweepAngle,
                               const AcGiArcType arcType = kAcGiArcSimple) const override;
    Adesk::Boolean circularArc(const AcGePoint3d& start, const AcGePoint3d& point, const AcGePoint3d& end,
                               const AcGiArcType arcType = kAcGiArcSimple) const override;
    Adesk::Boolean polyline(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList,
                            const AcGeVector3d* pNormal = nullptr, Adesk::LongPtr lBaseSubEntMarker = -1) const override;
    Adesk::Boolean polygon(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) const override;
    Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                        const double height, const double width, const double oblique,
                        const ACHAR* pMsg) const override;
    Adesk::Boolean pline(const AcDbPolyline& lwBuf, Adesk::UInt32 fromIndex = 0,
                         Adesk::UInt32 numSegs = 0) const override;
    Adesk::Boolean worldLine(const AcGePoint3d pnts[2]) override;
    void setExtents(AcGePoint3d* pNewExtents) const override;

private:
    Recorder& mOwner;
};

class RecordingContext final : public AcGiContext {
public:
    explicit RecordingContext(Recorder& owner) : mOwner(owner) {}
    Adesk::Boolean isPsOut() const override;
    Adesk::Boolean isPlotGeneration() const override;
    AcDbDatabase* database() const override;
    bool isBoundaryClipping() const override { return false; }

private:
    Recorder& mOwner;
};

class Recorder final : public AcGiWorldDraw {
public:
    // plot: the drawing is for a plot (isPlotGeneration() answers true).
    Recorder(AcDbDatabase* db, bool plot);
    ~Recorder() override;

    // Draws an entity (open for read) into out, replacing what it held: its
    // drawable traits first (setAttributes), then worldDraw. An invisible
    // entity leaves the list empty.
    void record(AcDbEntity* entity, DisplayList& out);

    AcGiRegenType regenType() const override { return kAcGiStandardDisplay; }
    Adesk::Boolean regenAbort() const override { return Adesk::kFalse; }
    AcGiSubEntityTraits& subEntityTraits() const override { return mTraits; }
    AcGiGeometry* rawGeometry() const override { return &mGeometry; }
    Adesk::Boolean isDragging() const override { return Adesk::kFalse; }
    double deviation(const AcGiDeviationType, const AcGePoint3d&) const override { return 0; }
    Adesk::UInt32 numberOfIsolines() const override { return 4; }
    AcGiContext* context() override { return &mContext; }
    AcGiWorldGeometry& geometry() const override { return mGeometry; }

    bool plot() const { return mPlot; }
    AcDbDatabase* db() const { return mDb; }

    // Used by the geometry: a new primitive with the current traits.
    Primitive& add(Kind kind);
    DisplayList& list() { return *mList; }
    void grow(const AcGePoint3d& p)
    {
        if (mPad == 0) {
            mList->extents.addPoint(p);
            return;
        }
        mList->extents.addPoint(p - AcGeVector3d(mPad, mPad, 0));
        mList->extents.addPoint(p + AcGeVector3d(mPad, mPad, 0));
    }
    // While a wide polyline is recorded, what it covers reaches this far
    // beyond its centre line.
    void setPad(double pad) { mPad = pad; }

private:
    AcDbDatabase* mDb;
    bool mPlot;
    DisplayList* mList = nullptr;
    double mPad = 0;
    mutable RecordingTraits mTraits;
    mutable RecordingGeometry mGeometry;
    RecordingContext mContext;
};

}  // namespace arx::gi

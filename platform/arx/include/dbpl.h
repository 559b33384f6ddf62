// AcDbPolyline: the lightweight polyline, a chain of 2D vertices in its own plane
// with a bulge (an arc to the next vertex) and start and end widths per vertex.
#pragma once
#include <vector>

#include "dbents.h"

class ARXHOST_EXPORT AcDbPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbPolyline);
    AcDbPolyline();
    explicit AcDbPolyline(unsigned int numVerts);
    ~AcDbPolyline() override;

    // A width of -1 means the polyline's constant width (0 when none was set).
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge = 0.,
                                  double startWidth = -1., double endWidth = -1.);
    Acad::ErrorStatus removeVertexAt(unsigned int index);
    unsigned int numVerts() const;
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& pt) const;
    // The vertex in world coordinates.
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& pt) const;
    Acad::ErrorStatus setPointAt(unsigned int index, const AcGePoint2d& pt);
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    Acad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
    Acad::ErrorStatus getConstantWidth(double& width) const;
    Acad::ErrorStatus setConstantWidth(double width);
    bool isClosed() const;
    void setClosed(bool closed);
    bool hasBulges() const;
    bool hasWidth() const;
    double elevation() const;
    void setElevation(double e);
    double thickness() const;
    Acad::ErrorStatus setThickness(double t);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& n);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override;

private:
    struct Vertex {
        AcGePoint2d pt;
        double bulge = 0;
        double startWidth = 0;
        double endWidth = 0;
    };
    AcGePoint3d toWorld(const AcGePoint2d& p) const;
    std::vector<Vertex> mVerts;
    double mConstantWidth = 0;
    double mElevation = 0;
    double mThickness = 0;
    AcGeVector3d mNormal{0, 0, 1};
    bool mClosed = false;
    bool mPlinegen = false;
};

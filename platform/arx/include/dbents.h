// The built-in entities a drawing needs around its voice notes: line, circle,
// arc and single-line text. (The lightweight polyline is in dbpl.h.)
#pragma once
#include "dbmain.h"

namespace arx {
struct LineExtrusion;
}

// Common planar attributes: thickness and the normal of the entity's plane.
class ARXHOST_EXPORT AcDbCurve : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbCurve);
    ~AcDbCurve() override;

protected:
    AcDbCurve();
};

class ARXHOST_EXPORT AcDbLine : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbLine);
    AcDbLine();
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end);
    ~AcDbLine() override;
    AcGePoint3d startPoint() const;
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& pt);
    AcGePoint3d endPoint() const;
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& pt);
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
    double extrusionThickness() const;
    AcGeVector3d extrusionNormal() const;
    void setExtrusion(double thickness, const AcGeVector3d& normal);

    AcGePoint3d mStart;
    AcGePoint3d mEnd;
    // Thickness and normal, held only when they differ from 0 and +Z: most
    // lines of a large drawing are flat, and this keeps each of them small.
    arx::LineExtrusion* mExtrusion = nullptr;
};

class ARXHOST_EXPORT AcDbCircle : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbCircle);
    AcDbCircle();
    AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);
    ~AcDbCircle() override;
    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& pt);
    double radius() const;
    Acad::ErrorStatus setRadius(double r);
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
    AcGePoint3d mCenter;
    double mRadius = 0;
    double mThickness = 0;
    AcGeVector3d mNormal{0, 0, 1};
};

class ARXHOST_EXPORT AcDbArc : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbArc);
    AcDbArc();
    AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle);
    AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle,
            double endAngle);
    ~AcDbArc() override;
    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& pt);
    double radius() const;
    Acad::ErrorStatus setRadius(double r);
    // Angles in radians, counter-clockwise about the normal from the plane's X axis.
    double startAngle() const;
    Acad::ErrorStatus setStartAngle(double a);
    double endAngle() const;
    Acad::ErrorStatus setEndAngle(double a);
    double thickness() const;
    Acad::ErrorStatus setThickness(double t);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& n);
    AcGePoint3d startPoint() const;
    AcGePoint3d endPoint() const;
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
    AcGePoint3d pointAt(double angle) const;
    AcGePoint3d mCenter;
    double mRadius = 0;
    double mStartAngle = 0;
    double mEndAngle = 0;
    double mThickness = 0;
    AcGeVector3d mNormal{0, 0, 1};
};

namespace AcDb {
enum TextHorzMode { kTextLeft = 0, kTextCenter = 1, kTextRight = 2, kTextAlign = 3, kTextMid = 4, kTextFit = 5 };
enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };
}  // namespace AcDb

class ARXHOST_EXPORT AcDbText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbText);
    AcDbText();
    AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style = AcDbObjectId::kNull,
             double height = 0, double rotation = 0);
    ~AcDbText() override;
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& pt);
    AcGePoint3d alignmentPoint() const;
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& pt);
    const ACHAR* textStringConst() const;
    ACHAR* textString() const;
    Acad::ErrorStatus setTextString(const ACHAR* text);
    AcDbObjectId textStyle() const;
    Acad::ErrorStatus setTextStyle(AcDbObjectId id);
    double height() const;
    Acad::ErrorStatus setHeight(double h);
    double widthFactor() const;
    Acad::ErrorStatus setWidthFactor(double w);
    double rotation() const;
    Acad::ErrorStatus setRotation(double r);
    double oblique() const;
    Acad::ErrorStatus setOblique(double o);
    AcDb::TextHorzMode horizontalMode() const;
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode m);
    AcDb::TextVertMode verticalMode() const;
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode m);
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
    AcGePoint3d mPosition;
    AcGePoint3d mAlignment;
    AcString mText;
    AcDbObjectId mStyle;
    double mHeight = 0;
    double mWidthFactor = 1.0;
    double mRotation = 0;
    double mOblique = 0;
    double mThickness = 0;
    AcGeVector3d mNormal{0, 0, 1};
    Adesk::Int16 mHorzMode = 0;
    Adesk::Int16 mVertMode = 0;
    Adesk::Int16 mGeneration = 0;
};

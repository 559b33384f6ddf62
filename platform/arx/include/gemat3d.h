// AcGeMatrix3d: an affine transformation of 3D space (row-major 4x4).
#pragma once
#include "gepnt3d.h"

class AcGeMatrix3d {
public:
    double entry[4][4];

    AcGeMatrix3d();
    static const AcGeMatrix3d kIdentity;

    AcGeMatrix3d operator*(const AcGeMatrix3d& m) const;
    AcGeMatrix3d& preMultBy(const AcGeMatrix3d& left);
    AcGeMatrix3d& postMultBy(const AcGeMatrix3d& right);
    AcGeMatrix3d& setToIdentity();
    AcGeMatrix3d& setToTranslation(const AcGeVector3d& v);
    AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                                const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToScaling(double factor, const AcGePoint3d& center = AcGePoint3d::kOrigin);
    AcGeMatrix3d& setToMirroring(const AcGePoint3d& pointOnPlane, const AcGeVector3d& planeNormal);

    static AcGeMatrix3d translation(const AcGeVector3d& v);
    static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                                 const AcGePoint3d& center = AcGePoint3d::kOrigin);
    static AcGeMatrix3d scaling(double factor, const AcGePoint3d& center = AcGePoint3d::kOrigin);

    double det() const;
    AcGeMatrix3d inverse() const;
    bool isSingular() const;
    bool isIdentity() const;
    // True when the upper 3x3 block is an orthogonal matrix times one scale factor.
    bool isUniScaledOrtho(const AcGeTol& tol = AcGeContext::gTol) const;
    // The factor by which lengths change (the largest, for a non-uniform scale).
    double scale() const;
    AcGeVector3d translationPart() const { return {entry[0][3], entry[1][3], entry[2][3]}; }
    bool operator==(const AcGeMatrix3d& m) const;
    double operator()(unsigned r, unsigned c) const { return entry[r][c]; }
    double& operator()(unsigned r, unsigned c) { return entry[r][c]; }
};

// Vectors, points and affine matrices of the geometry library.
#include <algorithm>
#include <cmath>

#include "gemat3d.h"
#include "gepnt2d.h"

AcGeTol AcGeContext::gTol;
const AcGeVector3d AcGeVector3d::kIdentity(0, 0, 0);
const AcGeVector3d AcGeVector3d::kXAxis(1, 0, 0);
const AcGeVector3d AcGeVector3d::kYAxis(0, 1, 0);
const AcGeVector3d AcGeVector3d::kZAxis(0, 0, 1);
const AcGePoint3d AcGePoint3d::kOrigin(0, 0, 0);
const AcGePoint2d AcGePoint2d::kOrigin(0, 0);
const AcGeMatrix3d AcGeMatrix3d::kIdentity;

AcGeVector3d AcGeVector3d::normal(const AcGeTol& tol) const
{
    double len = length();
    if (len <= tol.equalVector()) return {0, 0, 0};
    return {x / len, y / len, z / len};
}

AcGeVector3d& AcGeVector3d::normalize(const AcGeTol& tol)
{
    *this = normal(tol);
    return *this;
}

bool AcGeVector3d::isParallelTo(const AcGeVector3d& v, const AcGeTol& tol) const
{
    return crossProduct(v).length() <= tol.equalVector() * length() * v.length() + tol.equalVector();
}

double AcGeVector3d::angleTo(const AcGeVector3d& v) const
{
    double c = crossProduct(v).length();
    double d = dotProduct(v);
    return std::atan2(c, d);
}

double AcGeVector3d::angleTo(const AcGeVector3d& v, const AcGeVector3d& reference) const
{
    AcGeVector3d c = crossProduct(v);
    double a = std::atan2(c.length(), dotProduct(v));
    if (c.dotProduct(reference) < 0) a = 2 * M_PI - a;
    if (a >= 2 * M_PI) a -= 2 * M_PI;
    return a;
}

// The arbitrary axis algorithm of DXF: the X axis of the plane with this normal.
AcGeVector3d AcGeVector3d::perpVector() const
{
    AcGeVector3d n = normal();
    const double limit = 1.0 / 64.0;
    AcGeVector3d ax = (std::fabs(n.x) < limit && std::fabs(n.y) < limit) ? kYAxis.crossProduct(n)
                                                                          : kZAxis.crossProduct(n);
    return ax.normal();
}

AcGeVector3d& AcGeVector3d::rotateBy(double angle, const AcGeVector3d& axis)
{
    return transformBy(AcGeMatrix3d::rotation(angle, axis));
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m)
{
    AcGeVector3d r(m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2] * z,
                   m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2] * z,
                   m.entry[2][0] * x + m.entry[2][1] * y + m.entry[2][2] * z);
    *this = r;
    return *this;
}

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m)
{
    AcGePoint3d r(m.entry[0][0] * x + m.entry[0][1] * y + m.entry[0][2] * z + m.entry[0][3],
                  m.entry[1][0] * x + m.entry[1][1] * y + m.entry[1][2] * z + m.entry[1][3],
                  m.entry[2][0] * x + m.entry[2][1] * y + m.entry[2][2] * z + m.entry[2][3]);
    *this = r;
    return *this;
}

AcGePoint3d& AcGePoint3d::rotateBy(double angle, const AcGeVector3d& axis, const AcGePoint3d& center)
{
    return transformBy(AcGeMatrix3d::rotation(angle, axis, center));
}

AcGePoint3d& AcGePoint3d::scaleBy(double factor, const AcGePoint3d& center)
{
    return transformBy(AcGeMatrix3d::scaling(factor, center));
}

AcGeMatrix3d::AcGeMatrix3d()
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) entry[r][c] = r == c ? 1.0 : 0.0;
}

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& m) const
{
    AcGeMatrix3d r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double s = 0;
            for (int k = 0; k < 4; ++k) s += entry[i][k] * m.entry[k][j];
            r.entry[i][j] = s;
        }
    return r;
}

AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& left) { return *this = left * *this; }
AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& right) { return *this = *this * right; }
AcGeMatrix3d& AcGeMatrix3d::setToIdentity() { return *this = AcGeMatrix3d(); }

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& v)
{
    setToIdentity();
    entry[0][3] = v.x;
    entry[1][3] = v.y;
    entry[2][3] = v.z;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center)
{
    AcGeVector3d u = axis.normal();
    double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    setToIdentity();
    entry[0][0] = t * u.x * u.x + c;
    entry[0][1] = t * u.x * u.y - s * u.z;
    entry[0][2] = t * u.x * u.z + s * u.y;
    entry[1][0] = t * u.x * u.y + s * u.z;
    entry[1][1] = t * u.y * u.y + c;
    entry[1][2] = t * u.y * u.z - s * u.x;
    entry[2][0] = t * u.x * u.z - s * u.y;
    entry[2][1] = t * u.y * u.z + s * u.x;
    entry[2][2] = t * u.z * u.z + c;
    // Rotate about center: translate it to the origin and back.
    AcGePoint3d moved = center;
    AcGeMatrix3d lin = *this;
    moved.transformBy(lin);
    entry[0][3] = center.x - moved.x;
    entry[1][3] = center.y - moved.y;
    entry[2][3] = center.z - moved.z;
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double f, const AcGePoint3d& center)
{
    setToIdentity();
    entry[0][0] = entry[1][1] = entry[2][2] = f;
    entry[0][3] = center.x * (1 - f);
    entry[1][3] = center.y * (1 - f);
    entry[2][3] = center.z * (1 - f);
    return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePoint3d& p, const AcGeVector3d& planeNormal)
{
    AcGeVector3d n = planeNormal.normal();
    setToIdentity();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) entry[r][c] = (r == c ? 1.0 : 0.0) - 2 * n[static_cast<unsigned>(r)] * n[static_cast<unsigned>(c)];
    double d = 2 * (p.x * n.x + p.y * n.y + p.z * n.z);
    entry[0][3] = d * n.x;
    entry[1][3] = d * n.y;
    entry[2][3] = d * n.z;
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& v) { return AcGeMatrix3d().setToTranslation(v); }
AcGeMatrix3d AcGeMatrix3d::rotation(double a, const AcGeVector3d& axis, const AcGePoint3d& center)
{
    return AcGeMatrix3d().setToRotation(a, axis, center);
}
AcGeMatrix3d AcGeMatrix3d::scaling(double f, const AcGePoint3d& center) { return AcGeMatrix3d().setToScaling(f, center); }

double AcGeMatrix3d::det() const
{
    const auto& m = entry;
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

bool AcGeMatrix3d::isSingular() const { return std::fabs(det()) < 1e-300; }

AcGeMatrix3d AcGeMatrix3d::inverse() const
{
    // Affine inverse: invert the 3x3 block, then the translation.
    const auto& m = entry;
    double d = det();
    AcGeMatrix3d r;
    if (std::fabs(d) < 1e-300) return r;
    r.entry[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / d;
    r.entry[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / d;
    r.entry[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / d;
    r.entry[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / d;
    r.entry[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / d;
    r.entry[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / d;
    r.entry[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / d;
    r.entry[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / d;
    r.entry[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / d;
    for (int i = 0; i < 3; ++i)
        r.entry[i][3] = -(r.entry[i][0] * m[0][3] + r.entry[i][1] * m[1][3] + r.entry[i][2] * m[2][3]);
    return r;
}

bool AcGeMatrix3d::isIdentity() const { return *this == AcGeMatrix3d(); }

bool AcGeMatrix3d::isUniScaledOrtho(const AcGeTol& tol) const
{
    AcGeVector3d c0(entry[0][0], entry[1][0], entry[2][0]);
    AcGeVector3d c1(entry[0][1], entry[1][1], entry[2][1]);
    AcGeVector3d c2(entry[0][2], entry[1][2], entry[2][2]);
    double l0 = c0.length(), l1 = c1.length(), l2 = c2.length();
    double eps = 1e-9 * std::max(1.0, l0);
    if (std::fabs(l0 - l1) > eps || std::fabs(l0 - l2) > eps) return false;
    return std::fabs(c0.dotProduct(c1)) <= eps * l0 && std::fabs(c0.dotProduct(c2)) <= eps * l0 &&
           std::fabs(c1.dotProduct(c2)) <= eps * l0;
}

double AcGeMatrix3d::scale() const
{
    AcGeVector3d c0(entry[0][0], entry[1][0], entry[2][0]);
    AcGeVector3d c1(entry[0][1], entry[1][1], entry[2][1]);
    AcGeVector3d c2(entry[0][2], entry[1][2], entry[2][2]);
    return std::max({c0.length(), c1.length(), c2.length()});
}

bool AcGeMatrix3d::operator==(const AcGeMatrix3d& o) const
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (std::fabs(entry[r][c] - o.entry[r][c]) > 1e-12) return false;
    return true;
}

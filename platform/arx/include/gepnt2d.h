// AcGePoint2d and AcGeVector2d: locations and directions in a plane.
#pragma once
#include <cmath>

#include "getol.h"

class AcGeVector2d {
public:
    double x = 0, y = 0;
    AcGeVector2d() = default;
    AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}
    AcGeVector2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGeVector2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator*(double s) const { return {x * s, y * s}; }
    double length() const { return std::sqrt(x * x + y * y); }
    double angle() const
    {
        double a = std::atan2(y, x);
        return a < 0 ? a + 2 * 3.14159265358979323846 : a;
    }
    bool operator==(const AcGeVector2d& v) const { return (*this - v).length() <= AcGeContext::gTol.equalVector(); }
};

class AcGePoint2d {
public:
    double x = 0, y = 0;
    AcGePoint2d() = default;
    AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}
    static const AcGePoint2d kOrigin;
    AcGePoint2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGeVector2d operator-(const AcGePoint2d& p) const { return {x - p.x, y - p.y}; }
    AcGePoint2d& set(double xx, double yy) { x = xx; y = yy; return *this; }
    double distanceTo(const AcGePoint2d& p) const { return (*this - p).length(); }
    bool isEqualTo(const AcGePoint2d& p, const AcGeTol& tol = AcGeContext::gTol) const
    {
        return distanceTo(p) <= tol.equalPoint();
    }
    bool operator==(const AcGePoint2d& p) const { return isEqualTo(p); }
};

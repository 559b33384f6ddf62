// How the built-in entities draw themselves through the graphics interface: a
// line as a two-point polyline, circles and arcs as such, the lightweight
// polyline with its bulges and widths, and text at the place its alignment puts
// it (its width estimated as the text's extents estimate it: a character is 0.8
// of the height wide).
#include <cmath>

#include "acgi.h"
#include "dbents.h"
#include "dbpl.h"
#include "planar.h"

namespace {
constexpr double kCharWidth = 0.8;
}

Adesk::Boolean AcDbLine::subWorldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    AcGePoint3d pts[2] = {mStart, mEnd};
    const AcGeVector3d normal = extrusionNormal();
    mode->geometry().polyline(2, pts, &normal);
    return Adesk::kTrue;
}

Adesk::Boolean AcDbCircle::subWorldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    mode->geometry().circle(mCenter, mRadius, mNormal);
    return Adesk::kTrue;
}

Adesk::Boolean AcDbArc::subWorldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    double sweep = arx::normalizeAngle(mEndAngle - mStartAngle);
    if (sweep == 0) sweep = 2 * M_PI;
    mode->geometry().circularArc(mCenter, mRadius, mNormal, pointAt(mStartAngle) - mCenter, sweep);
    return Adesk::kTrue;
}

Adesk::Boolean AcDbPolyline::subWorldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    mode->geometry().pline(*this);
    return Adesk::kTrue;
}

Adesk::Boolean AcDbText::subWorldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mText.isEmpty()) return Adesk::kTrue;
    arx::Ocs ocs(mNormal);
    AcGeVector3d dir = ocs.x * std::cos(mRotation) + ocs.y * std::sin(mRotation);
    AcGeVector3d up = ocs.z.crossProduct(dir).normal();
    double height = mHeight;
    double widthFactor = mWidthFactor > 0 ? mWidthFactor : 1.0;
    const double letters = static_cast<double>(mText.length());
    AcGePoint3d start = mPosition;
    if (mHorzMode == AcDb::kTextAlign || mHorzMode == AcDb::kTextFit) {
        // The text runs from the position to the alignment point: aligned text
        // keeps its proportions (and changes height), fitted text its height.
        AcGeVector3d span = mAlignment - mPosition;
        double length = span.length();
        if (length > 0 && letters > 0) {
            dir = span / length;
            up = ocs.z.crossProduct(dir).normal();
            if (mHorzMode == AcDb::kTextAlign)
                height = length / (letters * kCharWidth * widthFactor);
            else
                widthFactor = length / (letters * kCharWidth * height);
        }
    } else if (mHorzMode != AcDb::kTextLeft || mVertMode != AcDb::kTextBase) {
        double width = letters * height * widthFactor * kCharWidth;
        start = mAlignment;
        if (mHorzMode == AcDb::kTextCenter || mHorzMode == AcDb::kTextMid) start -= dir * (width / 2);
        if (mHorzMode == AcDb::kTextRight) start -= dir * width;
        if (mHorzMode == AcDb::kTextMid || mVertMode == AcDb::kTextVertMid) start -= up * (height / 2);
        if (mVertMode == AcDb::kTextTop) start -= up * height;
        if (mVertMode == AcDb::kTextBottom) start += up * (height * 0.2);
    }
    mode->geometry().text(start, ocs.z, dir, height, widthFactor, mOblique, mText.kwszPtr());
    return Adesk::kTrue;
}

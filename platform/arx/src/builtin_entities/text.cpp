// AcDbText: single-line text. Its size on paper is estimated from the height and
// width factor (a character is taken as 0.8 of the height wide), since the host
// has no font metrics of the drawing's text styles.
#include "acutads.h"
#include "dbents.h"
#include "planar.h"
#include "../db/builtin.h"
#include "../db/object_access.h"
#include "../db/symbols.h"

ARX_DEFINE_BUILTIN(AcDbText, AcDbEntity, L"TEXT")

namespace {
constexpr double kCharWidth = 0.8;
}

AcDbText::AcDbText() = default;
AcDbText::AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style, double height, double rotation)
    : mPosition(position), mAlignment(position), mText(text), mStyle(style), mHeight(height), mRotation(rotation)
{
}
AcDbText::~AcDbText() = default;

AcGePoint3d AcDbText::position() const { assertReadEnabled(); return mPosition; }
Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& pt) { assertWriteEnabled(); mPosition = pt; return Acad::eOk; }
AcGePoint3d AcDbText::alignmentPoint() const { assertReadEnabled(); return mAlignment; }
Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& pt) { assertWriteEnabled(); mAlignment = pt; return Acad::eOk; }
const ACHAR* AcDbText::textStringConst() const { assertReadEnabled(); return mText.kwszPtr(); }
ACHAR* AcDbText::textString() const
{
    assertReadEnabled();
    ACHAR* copy = nullptr;
    acutNewString(mText.kwszPtr(), copy);
    return copy;
}
Acad::ErrorStatus AcDbText::setTextString(const ACHAR* text) { assertWriteEnabled(); mText = text; return Acad::eOk; }
AcDbObjectId AcDbText::textStyle() const { assertReadEnabled(); return mStyle; }
Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId id) { assertWriteEnabled(); mStyle = id; return Acad::eOk; }
double AcDbText::height() const { assertReadEnabled(); return mHeight; }
Acad::ErrorStatus AcDbText::setHeight(double h)
{
    if (!(h > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mHeight = h;
    return Acad::eOk;
}
double AcDbText::widthFactor() const { assertReadEnabled(); return mWidthFactor; }
Acad::ErrorStatus AcDbText::setWidthFactor(double w)
{
    if (!(w > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mWidthFactor = w;
    return Acad::eOk;
}
double AcDbText::rotation() const { assertReadEnabled(); return mRotation; }
Acad::ErrorStatus AcDbText::setRotation(double r) { assertWriteEnabled(); mRotation = r; return Acad::eOk; }
double AcDbText::oblique() const { assertReadEnabled(); return mOblique; }
Acad::ErrorStatus AcDbText::setOblique(double o) { assertWriteEnabled(); mOblique = o; return Acad::eOk; }
AcDb::TextHorzMode AcDbText::horizontalMode() const { assertReadEnabled(); return static_cast<AcDb::TextHorzMode>(mHorzMode); }
Acad::ErrorStatus AcDbText::setHorizontalMode(AcDb::TextHorzMode m) { assertWriteEnabled(); mHorzMode = static_cast<Adesk::Int16>(m); return Acad::eOk; }
AcDb::TextVertMode AcDbText::verticalMode() const { assertReadEnabled(); return static_cast<AcDb::TextVertMode>(mVertMode); }
Acad::ErrorStatus AcDbText::setVerticalMode(AcDb::TextVertMode m) { assertWriteEnabled(); mVertMode = static_cast<Adesk::Int16>(m); return Acad::eOk; }
double AcDbText::thickness() const { assertReadEnabled(); return mThickness; }
Acad::ErrorStatus AcDbText::setThickness(double t) { assertWriteEnabled(); mThickness = t; return Acad::eOk; }
AcGeVector3d AcDbText::normal() const { assertReadEnabled(); return mNormal; }
Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& n)
{
    if (n.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    mNormal = n.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subGetGeomExtents(AcDbExtents& ext) const
{
    arx::Ocs ocs(mNormal);
    AcGeVector3d dir = ocs.x * std::cos(mRotation) + ocs.y * std::sin(mRotation);
    AcGeVector3d up = mNormal.crossProduct(dir).normal();
    double width = mText.length() * mHeight * mWidthFactor * kCharWidth;
    ext.addPoint(mPosition);
    ext.addPoint(mPosition + dir * width);
    ext.addPoint(mPosition + up * mHeight);
    ext.addPoint(mPosition + dir * width + up * mHeight);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subTransformBy(const AcGeMatrix3d& xform)
{
    AcGeVector3d n;
    double s = 1;
    bool mirror = false;
    if (!arx::uniformTransform(xform, mNormal, n, s, mirror)) return Acad::eCannotScaleNonUniformly;
    arx::Ocs oldOcs(mNormal);
    AcGeVector3d dir = oldOcs.x * std::cos(mRotation) + oldOcs.y * std::sin(mRotation);
    dir.transformBy(xform);
    mPosition.transformBy(xform);
    mAlignment.transformBy(xform);
    mNormal = n;
    arx::Ocs ocs(mNormal);
    mRotation = arx::normalizeAngle(std::atan2(dir.dotProduct(ocs.y), dir.dotProduct(ocs.x)));
    mHeight *= s;
    mThickness *= s;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subGetGripPoints(AcGePoint3dArray& grips, AcDbIntArray&, AcDbIntArray&) const
{
    grips.append(mPosition);
    if (mHorzMode != 0 || mVertMode != 0) grips.append(mAlignment);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices) {
        if (i == 0) mPosition += offset;
        if (i == 1) mAlignment += offset;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writePoint3d(mPosition);
    filer->writePoint3d(mAlignment);
    filer->writeString(mText);
    filer->writeHardPointerId(mStyle);
    filer->writeDouble(mHeight);
    filer->writeDouble(mWidthFactor);
    filer->writeDouble(mRotation);
    filer->writeDouble(mOblique);
    filer->writeDouble(mThickness);
    filer->writeVector3d(mNormal);
    filer->writeInt16(mHorzMode);
    filer->writeInt16(mVertMode);
    filer->writeInt16(mGeneration);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbText::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbHardPointerId style;
    filer->readPoint3d(&mPosition);
    filer->readPoint3d(&mAlignment);
    filer->readString(mText);
    filer->readHardPointerId(&style);
    mStyle = style;
    filer->readDouble(&mHeight);
    filer->readDouble(&mWidthFactor);
    filer->readDouble(&mRotation);
    filer->readDouble(&mOblique);
    filer->readDouble(&mThickness);
    filer->readVector3d(&mNormal);
    filer->readInt16(&mHorzMode);
    filer->readInt16(&mVertMode);
    return filer->readInt16(&mGeneration);
}

Acad::ErrorStatus AcDbText::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    arx::Ocs ocs(mNormal);
    filer->writeString(AcDb::kDxfSubclass, L"AcDbText");
    if (mThickness != 0) filer->writeDouble(AcDb::kDxfThickness, mThickness);
    filer->writePoint3d(AcDb::kDxfXCoord, ocs.toOcs(mPosition));
    filer->writeDouble(AcDb::kDxfTxtSize, mHeight);
    filer->writeString(AcDb::kDxfText, mText);
    if (mRotation != 0) filer->writeAngle(AcDb::kDxfAngle, mRotation);
    if (mWidthFactor != 1.0) filer->writeDouble(static_cast<AcDb::DxfCode>(41), mWidthFactor);
    if (mOblique != 0) filer->writeAngle(static_cast<AcDb::DxfCode>(51), mOblique);
    filer->writeString(AcDb::kDxfTextStyleName, arx::symbolName(mStyle, L"Standard").c_str());
    if (mGeneration != 0) filer->writeInt16(static_cast<AcDb::DxfCode>(71), mGeneration);
    if (mHorzMode != 0) filer->writeInt16(static_cast<AcDb::DxfCode>(72), mHorzMode);
    if (mHorzMode != 0 || mVertMode != 0) filer->writePoint3d(static_cast<AcDb::DxfCode>(11), ocs.toOcs(mAlignment));
    if (!arx::isDefaultNormal(mNormal)) filer->writeVector3d(AcDb::kDxfNormalX, mNormal);
    arx::writeKeptGroups(filer, this, "AcDbText");
    filer->writeString(AcDb::kDxfSubclass, L"AcDbText");
    if (mVertMode != 0) filer->writeInt16(static_cast<AcDb::DxfCode>(73), mVertMode);
    arx::writeKeptGroups(filer, this, "AcDbText2");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbText::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbText");
    resbuf rb;
    AcGePoint3d position, alignment;
    bool haveAlignment = false;
    // TEXT has two AcDbText sections; the second carries the vertical alignment.
    const char* section = "AcDbText";
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        switch (rb.restype) {
        case 10: position.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]); break;
        case 11:
            alignment.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
            haveAlignment = true;
            break;
        case 1: mText = rb.resval.rstring; break;
        case 40: mHeight = rb.resval.rreal; break;
        case 41: mWidthFactor = rb.resval.rreal > 0 ? rb.resval.rreal : 1.0; break;
        case 50: mRotation = arx::normalizeAngle(rb.resval.rreal * M_PI / 180.0); break;
        case 51: mOblique = rb.resval.rreal * M_PI / 180.0; break;
        case 39: mThickness = rb.resval.rreal; break;
        case 7: mStyle = arx::symbolForReading(database(), arx::TableKind::kTextStyle, rb.resval.rstring); break;
        case 71: mGeneration = rb.resval.rint; break;
        case 72: mHorzMode = rb.resval.rint; break;
        case 73: mVertMode = rb.resval.rint; break;
        case 210: {
            arx::normalFromFile(rb.resval.rpoint, mNormal);
            break;
        }
        case 100:
            if (rb.resval.rstring != nullptr && std::wstring(rb.resval.rstring) == L"AcDbText") {
                section = "AcDbText2";
                break;
            }
            arx::keepCurrentGroup(filer, this, section);
            break;
        default: arx::keepCurrentGroup(filer, this, section); break;
        }
    }
    if (es != Acad::eEndOfFile) return es;
    arx::Ocs ocs(mNormal);
    mPosition = ocs.toWorld(position);
    mAlignment = haveAlignment ? ocs.toWorld(alignment) : mPosition;
    if (mStyle.isNull()) mStyle = arx::symbolForReading(database(), arx::TableKind::kTextStyle, L"Standard");
    return filer->filerStatus();
}

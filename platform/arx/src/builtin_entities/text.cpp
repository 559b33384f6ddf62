// AcDbText: single-line text. Its size on paper is estimated from the height and
// width factor (a character is taken as 0.8 of the height wide), since the host
// has no font metrics of the drawing's text styles.
#include "acutads.h"
#include "dbents.h"
#include "planar.h"
#include "../db/builtin.h"
#include "../db/dxf_fields.h"

ARX_DEFINE_BUILTIN(AcDbText, AcDbEntity, L"TEXT")

namespace {
constexpr double kCharWidth = 0.8;

// TEXT's first AcDbText section as the file holds it: points in the text's own
// coordinate system. The alignment point is written only for a text that is
// not left-aligned on its base line.
struct TextValues {
    double thickness;
    AcGePoint3d position;
    double height;
    AcString text;
    double rotation;
    double widthFactor;
    double oblique;
    AcDbObjectId style;
    Adesk::Int16 generation;
    Adesk::Int16 horizontalMode;
    std::optional<AcGePoint3d> alignment;
    AcGeVector3d normal;
};

constexpr auto kTextSection = arx::dxfSection<TextValues>("AcDbText",
    arx::field::real(39, &TextValues::thickness, 0.0),
    arx::field::point(10, &TextValues::position),
    arx::field::real(40, &TextValues::height),
    arx::field::text(1, &TextValues::text),
    arx::field::angle(50, &TextValues::rotation, 0.0),
    arx::field::real(41, &TextValues::widthFactor, 1.0),
    arx::field::angle(51, &TextValues::oblique, 0.0),
    arx::field::symbol(7, &TextValues::style, arx::TableKind::kTextStyle, L"Standard"),
    arx::field::int16(71, &TextValues::generation, 0),
    arx::field::int16(72, &TextValues::horizontalMode, 0),
    arx::field::point(11, &TextValues::alignment),
    arx::field::normal(210, &TextValues::normal));

// TEXT's second section, under the same marker, holds the vertical alignment;
// what is kept of it is filed apart from the first's.
struct TextVerticalValues {
    Adesk::Int16 verticalMode;
};

constexpr auto kTextVerticalSection = arx::dxfSection<TextVerticalValues>({"AcDbText", "AcDbText2"},
    arx::field::int16(73, &TextVerticalValues::verticalMode, 0));

}  // namespace

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
    const bool aligned = mHorzMode != 0 || mVertMode != 0;
    kTextSection.write(filer, this,
                       {.thickness = mThickness,
                        .position = ocs.toOcs(mPosition),
                        .height = mHeight,
                        .text = mText,
                        .rotation = mRotation,
                        .widthFactor = mWidthFactor,
                        .oblique = mOblique,
                        .style = mStyle,
                        .generation = mGeneration,
                        .horizontalMode = mHorzMode,
                        .alignment = aligned ? std::optional(ocs.toOcs(mAlignment)) : std::nullopt,
                        .normal = mNormal});
    return kTextVerticalSection.write(filer, this, {.verticalMode = mVertMode});
}

// Both sections are read in one pass, each field wherever it stands: the
// second marker only decides under which section unknown groups are kept.
Acad::ErrorStatus AcDbText::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(kTextSection.marker());
    TextValues text = kTextSection.defaults();
    TextVerticalValues vertical = kTextVerticalSection.defaults();
    const char* keptAs = kTextSection.keptAs();
    resbuf rb;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        if (kTextSection.take(rb, text, this) || kTextVerticalSection.take(rb, vertical, this)) continue;
        if (rb.restype == AcDb::kDxfSubclass && rb.resval.rstring != nullptr &&
            std::wstring_view(rb.resval.rstring) == kTextVerticalSection.marker())
            keptAs = kTextVerticalSection.keptAs();
        else
            arx::keepCurrentGroup(filer, this, keptAs);
    }
    if (es != Acad::eEndOfFile) return es;
    kTextSection.finish(text, this);
    arx::Ocs ocs(text.normal);
    mThickness = text.thickness;
    mPosition = ocs.toWorld(text.position);
    mHeight = text.height;
    mText = std::move(text.text);
    mRotation = arx::normalizeAngle(text.rotation);
    mWidthFactor = text.widthFactor > 0 ? text.widthFactor : 1.0;
    mOblique = text.oblique;
    mStyle = text.style;
    mGeneration = text.generation;
    mHorzMode = text.horizontalMode;
    mAlignment = text.alignment ? ocs.toWorld(*text.alignment) : mPosition;
    mNormal = text.normal;
    mVertMode = vertical.verticalMode;
    return filer->filerStatus();
}

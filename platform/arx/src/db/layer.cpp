// AcDbLayerTableRecord: a layer with its on/off, frozen and locked states.
#include "builtin.h"
#include "dbsymtb.h"
#include "object_access.h"
#include "symbols.h"

ARX_DEFINE_BUILTIN(AcDbLayerTableRecord, AcDbSymbolTableRecord, L"LAYER")

AcDbLayerTableRecord::AcDbLayerTableRecord() { mColor.setColorIndex(7); }
AcDbLayerTableRecord::~AcDbLayerTableRecord() = default;

void AcDbLayerTableRecord::setIsOff(bool off)
{
    assertWriteEnabled();
    mOff = off;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen)
{
    assertWriteEnabled();
    mFlags = static_cast<Adesk::Int16>(frozen ? (mFlags | 1) : (mFlags & ~1));
    return Acad::eOk;
}

void AcDbLayerTableRecord::setIsLocked(bool locked)
{
    assertWriteEnabled();
    mFlags = static_cast<Adesk::Int16>(locked ? (mFlags | 4) : (mFlags & ~4));
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plottable)
{
    assertWriteEnabled();
    mPlottable = plottable;
    return Acad::eOk;
}

void AcDbLayerTableRecord::setColor(const AcCmColor& color)
{
    assertWriteEnabled();
    mColor = color;
}

AcDbObjectId AcDbLayerTableRecord::linetypeObjectId() const
{
    assertReadEnabled();
    return mLinetype;
}

void AcDbLayerTableRecord::setLinetypeObjectId(AcDbObjectId id)
{
    assertWriteEnabled();
    mLinetype = id;
}

Acad::ErrorStatus AcDbLayerTableRecord::setLineWeight(AcDb::LineWeight weight)
{
    assertWriteEnabled();
    mLineWeight = static_cast<Adesk::Int16>(weight);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::setTransparency(const AcCmTransparency& t)
{
    assertWriteEnabled();
    mTransparency = t;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeUInt32(mColor.color());
    filer->writeHardPointerId(mLinetype);
    filer->writeHardPointerId(mPlotStyle);
    filer->writeHardPointerId(mMaterial);
    filer->writeUInt32(mTransparency.serializeOut());
    filer->writeInt16(mLineWeight);
    filer->writeBool(mOff);
    filer->writeBool(mPlottable);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::UInt32 color = 0, transparency = 0;
    AcDbHardPointerId ltype, plot, material;
    filer->readUInt32(&color);
    filer->readHardPointerId(&ltype);
    filer->readHardPointerId(&plot);
    filer->readHardPointerId(&material);
    filer->readUInt32(&transparency);
    filer->readInt16(&mLineWeight);
    filer->readBool(&mOff);
    if ((es = filer->readBool(&mPlottable)) != Acad::eOk) return es;
    if (mColor.setColor(color) != Acad::eOk) return Acad::eDwgObjectImproperlyRead;
    mLinetype = ltype;
    mPlotStyle = plot;
    mMaterial = material;
    mTransparency.serializeIn(transparency);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbLayerTableRecord");
    filer->writeString(AcDb::kDxfSymbolTableName, mName);
    filer->writeInt16(AcDb::kDxfInt16, mFlags);
    // A layer that is off carries a negative colour number.
    Adesk::Int16 aci = static_cast<Adesk::Int16>(mColor.colorIndex());
    if (aci < 1 || aci > 255) aci = 7;
    filer->writeInt16(AcDb::kDxfColor, static_cast<Adesk::Int16>(mOff ? -aci : aci));
    if (mColor.isByColor())
        filer->writeInt32(AcDb::kDxfColorRGB,
                          static_cast<Adesk::Int32>((mColor.red() << 16) | (mColor.green() << 8) | mColor.blue()));
    filer->writeString(AcDb::kDxfLinetypeName, arx::symbolName(mLinetype, L"Continuous").c_str());
    if (!mPlottable) filer->writeBool(AcDb::kDxfBool, false);
    filer->writeInt16(AcDb::kDxfLineWeight, mLineWeight);
    if (!mPlotStyle.isNull()) filer->writeObjectId(AcDb::kDxfPlotStyleNameId, mPlotStyle);
    if (!mMaterial.isNull()) filer->writeObjectId(static_cast<AcDb::DxfCode>(347), mMaterial);
    if (!mTransparency.isByLayer())
        filer->writeInt32(AcDb::kDxfAlpha, static_cast<Adesk::Int32>(mTransparency.serializeOut()));
    arx::writeKeptGroups(filer, this, "AcDbLayerTableRecord");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbLayerTableRecord");
    resbuf rb;
    int aci = 7;
    bool trueColor = false;
    Adesk::Int32 rgb = 0;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        switch (rb.restype) {
        case AcDb::kDxfSymbolTableName: mName = rb.resval.rstring; break;
        case AcDb::kDxfInt16: mFlags = rb.resval.rint; break;
        case AcDb::kDxfColor: aci = rb.resval.rint; break;
        case AcDb::kDxfColorRGB:
            trueColor = true;
            rgb = rb.resval.rlong;
            break;
        case AcDb::kDxfLinetypeName:
            mLinetype = arx::symbolForReading(database(), arx::TableKind::kLinetype, rb.resval.rstring);
            break;
        case AcDb::kDxfBool: mPlottable = rb.resval.rint != 0; break;
        case AcDb::kDxfLineWeight: mLineWeight = rb.resval.rint; break;
        case AcDb::kDxfPlotStyleNameId: mPlotStyle = reinterpret_cast<AcDbStub*>(rb.resval.rlname[0]); break;
        case 347: mMaterial = reinterpret_cast<AcDbStub*>(rb.resval.rlname[0]); break;
        case AcDb::kDxfAlpha: mTransparency.serializeIn(static_cast<Adesk::UInt32>(rb.resval.rlong)); break;
        default: arx::keepCurrentGroup(filer, this, "AcDbLayerTableRecord"); break;
        }
    }
    if (es != Acad::eEndOfFile) return es;
    mOff = aci < 0;
    if (aci < 0) aci = -aci;
    if (trueColor)
        mColor.setRGB(static_cast<Adesk::UInt8>(rgb >> 16), static_cast<Adesk::UInt8>(rgb >> 8),
                      static_cast<Adesk::UInt8>(rgb));
    else if (aci >= 1 && aci <= 255)
        mColor.setColorIndex(static_cast<Adesk::UInt16>(aci));
    return filer->filerStatus();
}

// Layouts and their plot settings. The host reads a layout's name, tab order and
// block; the plot settings are kept as read.
#include "builtin.h"
#include "dblayout.h"
#include "object_access.h"

ARX_DEFINE_BUILTIN(AcDbPlotSettings, AcDbObject, L"PLOTSETTINGS")
ARX_DEFINE_BUILTIN(AcDbLayout, AcDbPlotSettings, L"LAYOUT")

AcDbPlotSettings::AcDbPlotSettings() = default;
AcDbPlotSettings::~AcDbPlotSettings() = default;

Acad::ErrorStatus AcDbPlotSettings::getPlotSettingsName(AcString& name) const
{
    assertReadEnabled();
    name = mPlotSettingsName;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPlotSettings::setPlotSettingsName(const ACHAR* name)
{
    assertWriteEnabled();
    mPlotSettingsName = name;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPlotSettings::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(mPlotSettingsName);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPlotSettings::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    return filer->readString(mPlotSettingsName);
}

Acad::ErrorStatus AcDbPlotSettings::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbPlotSettings");
    filer->writeString(AcDb::kDxfText, mPlotSettingsName);
    arx::writeKeptGroups(filer, this, "AcDbPlotSettings");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbPlotSettings::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbPlotSettings");
    resbuf rb;
    bool haveName = false;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        if (rb.restype == AcDb::kDxfSubclass) {
            filer->pushBackItem();
            break;
        }
        if (rb.restype == AcDb::kDxfText && !haveName) {
            mPlotSettingsName = rb.resval.rstring;
            haveName = true;
        } else {
            arx::keepCurrentGroup(filer, this, "AcDbPlotSettings");
        }
    }
    return es == Acad::eEndOfFile || es == Acad::eOk ? filer->filerStatus() : es;
}

AcDbLayout::AcDbLayout() = default;
AcDbLayout::~AcDbLayout() = default;

Acad::ErrorStatus AcDbLayout::setBlockTableRecordId(AcDbObjectId id)
{
    assertWriteEnabled();
    mBlock = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::getLayoutName(const ACHAR*& name) const
{
    assertReadEnabled();
    name = mName.kwszPtr();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::getLayoutName(AcString& name) const
{
    assertReadEnabled();
    name = mName;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::setLayoutName(const ACHAR* name)
{
    if (name == nullptr || *name == 0) return Acad::eInvalidInput;
    assertWriteEnabled();
    mName = name;
    return Acad::eOk;
}

void AcDbLayout::setTabOrder(int order)
{
    assertWriteEnabled();
    mTabOrder = order;
}

bool AcDbLayout::modelType() const { return mTabOrder == 0; }

Acad::ErrorStatus AcDbLayout::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbPlotSettings::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(mName);
    filer->writeInt32(mTabOrder);
    filer->writeInt16(mLayoutFlags);
    filer->writeSoftPointerId(mBlock);
    filer->writeSoftPointerId(mLastViewport);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLayout::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbPlotSettings::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbSoftPointerId block, viewport;
    filer->readString(mName);
    filer->readInt32(&mTabOrder);
    filer->readInt16(&mLayoutFlags);
    filer->readSoftPointerId(&block);
    if ((es = filer->readSoftPointerId(&viewport)) != Acad::eOk) return es;
    mBlock = block;
    mLastViewport = viewport;
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLayout::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbPlotSettings::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbLayout");
    filer->writeString(AcDb::kDxfText, mName);
    filer->writeInt16(AcDb::kDxfInt16, mLayoutFlags);
    filer->writeInt16(static_cast<AcDb::DxfCode>(71), static_cast<Adesk::Int16>(mTabOrder));
    arx::writeKeptGroups(filer, this, "AcDbLayout");
    filer->writeObjectId(AcDb::kDxfSoftPointerId, mBlock);
    if (!mLastViewport.isNull()) filer->writeObjectId(static_cast<AcDb::DxfCode>(331), mLastViewport);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLayout::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbPlotSettings::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbLayout");
    resbuf rb;
    bool haveName = false, haveBlock = false;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        switch (rb.restype) {
        case 1:
            if (haveName) goto keep;
            mName = rb.resval.rstring;
            haveName = true;
            break;
        case 70: mLayoutFlags = rb.resval.rint; break;
        case 71: mTabOrder = rb.resval.rint; break;
        case 330:
            if (haveBlock) goto keep;
            mBlock = reinterpret_cast<AcDbStub*>(rb.resval.rlname[0]);
            haveBlock = true;
            break;
        case 331: mLastViewport = reinterpret_cast<AcDbStub*>(rb.resval.rlname[0]); break;
        default:
        keep:
            arx::keepCurrentGroup(filer, this, "AcDbLayout");
            break;
        }
    }
    return es == Acad::eEndOfFile ? filer->filerStatus() : es;
}

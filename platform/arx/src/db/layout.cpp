// AcDbLayout: a tab of the drawing (model space or a paper space) with its name,
// its tab order and the block it shows. What else a file gives it is kept.
#include "builtin.h"
#include "dblayout.h"
#include "object_access.h"

ARX_DEFINE_BUILTIN(AcDbLayout, AcDbPlotSettings, L"LAYOUT")

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

// AcDbXrecord: an object holding a chain of values, kept as DXF groups.
#include "acutads.h"
#include "builtin.h"
#include "dbxrecrd.h"
#include "object_access.h"
#include "../core/tags.h"
#include "../filers/binary_filer.h"
#include "../filers/dxf_in_filer.h"
#include "../filers/dxf_out_filer.h"
#include "../filers/dxf_values.h"

ARX_DEFINE_BUILTIN(AcDbXrecord, AcDbObject, L"XRECORD")

AcDbXrecord::AcDbXrecord() = default;
AcDbXrecord::~AcDbXrecord() = default;

Acad::ErrorStatus AcDbXrecord::rbChain(resbuf** ppRb, AcDbDatabase* auxDb) const
{
    assertReadEnabled();
    if (ppRb == nullptr) return Acad::eInvalidInput;
    *ppRb = arx::tagsToResbufChain(mData, auxDb != nullptr ? auxDb : database());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXrecord::setFromRbChain(const resbuf& pRb, AcDbDatabase*)
{
    std::string data;
    for (const resbuf* rb = &pRb; rb != nullptr; rb = rb->rbnext) {
        // A 1001 group would start extended data when the xrecord is read back.
        if (rb->restype == AcDb::kDxfRegAppName) return Acad::eInvalidResBuf;
        if (!arx::appendResbufAsTags(data, rb)) return Acad::eInvalidResBuf;
    }
    assertWriteEnabled();
    mData = std::move(data);
    return Acad::eOk;
}

void AcDbXrecord::setXlateReferences(bool translate)
{
    assertWriteEnabled();
    mXlate = translate;
}

Acad::ErrorStatus AcDbXrecord::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(mMergeStyle);
    filer->writeBool(mXlate);
    if (auto* bf = dynamic_cast<arx::BinaryFiler*>(filer)) return bf->writeBlob(mData);
    filer->writeUInt32(static_cast<Adesk::UInt32>(mData.size()));
    return filer->writeBytes(mData.data(), mData.size());
}

Acad::ErrorStatus AcDbXrecord::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    filer->readInt16(&mMergeStyle);
    filer->readBool(&mXlate);
    std::string data;
    if (auto* bf = dynamic_cast<arx::BinaryFiler*>(filer)) {
        if ((es = bf->readBlob(data)) != Acad::eOk) return es;
    } else {
        return Acad::eNoInputFiler;
    }
    std::string why;
    if (!arx::isWritableTagStore(data, arx::TagPlace::kRawObject, why)) return Acad::eDwgObjectImproperlyRead;
    mData = std::move(data);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbXrecord::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbXrecord");
    filer->writeInt16(static_cast<AcDb::DxfCode>(280), mMergeStyle);
    if (auto* out = dynamic_cast<arx::DxfOutFiler*>(filer)) {
        arx::writeTagStore(out->text(), mData);
    } else {
        resbuf* chain = arx::tagsToResbufChain(mData, database());
        for (resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) filer->writeResBuf(*rb);
        acutRelRb(chain);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbXrecord::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbXrecord");
    auto* in = dynamic_cast<arx::DxfInFiler*>(filer);
    if (in == nullptr) return Acad::eNoInputFiler;
    // The values are kept exactly as the file gave them.
    const arx::DxfRecord& r = in->record();
    size_t i = in->position();
    if (i < r.size() && r.tag(i).code == 280) {
        resbuf rb;
        if ((es = filer->readResBuf(&rb)) != Acad::eOk) return es;
        mMergeStyle = rb.resval.rint;
        i = in->position();
    }
    // The values run up to the extended data, which starts with a 1001 group.
    std::string data;
    for (; i < r.size() && r.tag(i).code != AcDb::kDxfRegAppName; ++i)
        arx::addTag(data, r.tag(i).code, r.tag(i).binary ? arx::TagKind::Binary : arx::TagKind::Text, r.value(i));
    in->setPosition(i);
    mData = std::move(data);
    return filer->filerStatus();
}

// AcDbSortentsTable: draw order by sort handles.
#include <algorithm>
#include <map>
#include <unordered_set>

#include "builtin.h"
#include "dbsymtb.h"
#include "object_access.h"
#include "sorttab.h"

using arx::ObjectAccess;

ARX_DEFINE_BUILTIN(AcDbSortentsTable, AcDbObject, L"SORTENTSTABLE")

AcDbSortentsTable::AcDbSortentsTable() = default;
AcDbSortentsTable::~AcDbSortentsTable() = default;

Acad::ErrorStatus AcDbSortentsTable::setBlockId(AcDbObjectId id)
{
    assertWriteEnabled();
    mBlock = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::getSortHandle(AcDbObjectId id, AcDbHandle& h) const
{
    assertReadEnabled();
    for (const auto& [ent, sort] : mSortHandles)
        if (ent == id) {
            h = sort;
            return Acad::eOk;
        }
    h = id.handle();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::getFullDrawOrder(AcDbObjectIdArray& ents, Adesk::UInt8) const
{
    assertReadEnabled();
    ents.removeAll();
    auto* block = AcDbBlockTableRecord::cast(arx::resolveStub(mBlock));
    if (block == nullptr) return Acad::eNotInBlock;
    std::map<AcDbObjectId, AcDbHandle> explicitSort(mSortHandles.begin(), mSortHandles.end());
    std::vector<std::pair<std::uint64_t, AcDbObjectId>> order;
    for (const AcDbObjectId& id : ObjectAccess::entities(block)) {
        if (id.isErased()) continue;
        auto it = explicitSort.find(id);
        order.emplace_back(it != explicitSort.end() ? it->second.value() : id.handle().value(), id);
    }
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& o : order) ents.append(o.second);
    return Acad::eOk;
}

// Moves the entities to one end of the draw order, keeping their order among
// themselves, then hands the block's sort handles out again in the new order.
Acad::ErrorStatus AcDbSortentsTable::reorder(const AcDbObjectIdArray& ar, bool toBottom)
{
    assertWriteEnabled();
    AcDbObjectIdArray current;
    Acad::ErrorStatus es = getFullDrawOrder(current);
    if (es != Acad::eOk) return es;
    std::unordered_set<AcDbStub*> inBlock(current.begin(), current.end()), toMove(ar.begin(), ar.end());
    for (const AcDbObjectId& id : ar)
        if (!inBlock.count(id)) return Acad::eInvalidInput;
    std::vector<std::uint64_t> keys;
    for (const AcDbObjectId& id : current) {
        AcDbHandle h;
        getSortHandle(id, h);
        keys.push_back(h.value());
    }
    std::sort(keys.begin(), keys.end());
    std::vector<AcDbObjectId> moved, rest;
    for (const AcDbObjectId& id : current) (toMove.count(id) ? moved : rest).push_back(id);
    std::vector<AcDbObjectId> order;
    if (toBottom) {
        order = moved;
        order.insert(order.end(), rest.begin(), rest.end());
    } else {
        order = rest;
        order.insert(order.end(), moved.begin(), moved.end());
    }
    mSortHandles.clear();
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i].handle().value() != keys[i]) mSortHandles.emplace_back(order[i], AcDbHandle(keys[i]));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::moveToBottom(const AcDbObjectIdArray& ar) { return reorder(ar, true); }
Acad::ErrorStatus AcDbSortentsTable::moveToTop(const AcDbObjectIdArray& ar) { return reorder(ar, false); }

Acad::ErrorStatus AcDbSortentsTable::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeSoftPointerId(mBlock);
    filer->writeUInt32(static_cast<Adesk::UInt32>(mSortHandles.size()));
    for (const auto& [id, h] : mSortHandles) {
        filer->writeSoftPointerId(id);
        filer->writeAcDbHandle(h);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSortentsTable::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbSoftPointerId block;
    filer->readSoftPointerId(&block);
    Adesk::UInt32 n = 0;
    if ((es = filer->readUInt32(&n)) != Acad::eOk) return es;
    std::vector<std::pair<AcDbObjectId, AcDbHandle>> handles;
    for (Adesk::UInt32 i = 0; i < n; ++i) {
        AcDbSoftPointerId id;
        AcDbHandle h;
        filer->readSoftPointerId(&id);
        if ((es = filer->readAcDbHandle(&h)) != Acad::eOk) return es;
        if (h.isNull()) return Acad::eDwgObjectImproperlyRead;  // every entity has a sort handle
        handles.emplace_back(id, h);
    }
    mBlock = block;
    mSortHandles = std::move(handles);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSortentsTable::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbSortentsTable");
    filer->writeObjectId(AcDb::kDxfSoftPointerId, mBlock);
    for (const auto& [id, h] : mSortHandles) {
        if (id.isErased()) continue;
        filer->writeObjectId(static_cast<AcDb::DxfCode>(331), id);
        filer->writeAcDbHandle(AcDb::kDxfHandle, h);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSortentsTable::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbSortentsTable");
    resbuf rb;
    AcDbObjectId pending;
    bool havePending = false;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        if (rb.restype == 330) {
            mBlock = reinterpret_cast<AcDbStub*>(rb.resval.rlname[0]);
        } else if (rb.restype == 331) {
            pending = reinterpret_cast<AcDbStub*>(rb.resval.rlname[0]);
            havePending = true;
        } else if (rb.restype == 5 && havePending) {
            AcDbHandle h(rb.resval.rstring);
            if (h.isNull()) return filer->setError(Acad::eInvalidDxfCode, L"sort handle is not a handle");
            if (!pending.isNull()) mSortHandles.emplace_back(pending, h);
            havePending = false;
        } else {
            return filer->setError(Acad::eBadDxfSequence, L"unexpected group %d in a draw order table",
                                   static_cast<int>(rb.restype));
        }
    }
    return es == Acad::eEndOfFile ? filer->filerStatus() : es;
}

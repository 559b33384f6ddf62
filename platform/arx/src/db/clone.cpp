// Cloning: the default copy of an object goes through its own binary filing
// (the copy filer), so every class copies whatever it files.
#include "database_impl.h"
#include "dbidmap.h"
#include "dbsymtb.h"
#include "object_access.h"
#include "../filers/binary_filer.h"

Acad::ErrorStatus AcDbObject::deepClone(AcDbObject* owner, AcDbObject*& clone, AcDbIdMapping& idMap,
                                        Adesk::Boolean isPrimary) const
{
    assertReadEnabled();
    return subDeepClone(owner, clone, idMap, isPrimary);
}

Acad::ErrorStatus AcDbObject::wblockClone(AcRxObject* owner, AcDbObject*& clone, AcDbIdMapping& idMap,
                                          Adesk::Boolean isPrimary) const
{
    assertReadEnabled();
    return subWblockClone(owner, clone, idMap, isPrimary);
}

// A copy of this object appended to the owner (a block for entities, else a
// new object of the owner's database), open for write.
Acad::ErrorStatus AcDbObject::subDeepClone(AcDbObject* owner, AcDbObject*& clone, AcDbIdMapping& idMap,
                                           Adesk::Boolean) const
{
    clone = nullptr;
    if (owner == nullptr || owner->database() == nullptr) return Acad::eInvalidInput;
    std::string image;
    arx::BinaryFiler out(AcDb::kCopyFiler, database(), image);
    Acad::ErrorStatus es = dwgOut(&out);
    if (es != Acad::eOk) return es;
    auto* copy = AcDbObject::cast(isA()->create());
    if (copy == nullptr) return Acad::eNotApplicable;
    arx::BinaryFiler in(AcDb::kCopyFiler, owner->database(), std::string_view(image));
    std::uint16_t& st = arx::ObjectAccess::state(copy);
    st |= arx::kStNew;
    es = copy->dwgIn(&in);
    st &= static_cast<std::uint16_t>(~arx::kStNew);
    if (es != Acad::eOk) {
        delete copy;
        return es;
    }
    // A copy has no extension dictionary and no persistent reactors of its own yet.
    arx::ObjectAccess::setXdict(copy, nullptr);
    arx::ObjectAccess::dropReactors(copy);
    arx::ObjectAccess::dropExtraIfEmpty(copy);
    AcDbObjectId id;
    auto* block = AcDbBlockTableRecord::cast(owner);
    if (block != nullptr && AcDbEntity::cast(copy) != nullptr)
        es = block->appendAcDbEntity(id, AcDbEntity::cast(copy));
    else
        es = owner->database()->addAcDbObject(id, copy);
    if (es != Acad::eOk) {
        delete copy;
        return es;
    }
    if (block == nullptr) arx::ObjectAccess::owner(copy) = owner->objectId();
    idMap.assign(objectId(), id);
    clone = copy;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::subWblockClone(AcRxObject* owner, AcDbObject*& clone, AcDbIdMapping& idMap,
                                             Adesk::Boolean isPrimary) const
{
    return subDeepClone(AcDbObject::cast(owner), clone, idMap, isPrimary);
}

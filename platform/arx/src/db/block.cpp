// AcDbBlockTableRecord: a block definition (model space and paper space among
// them) owning its entities in order of appending; its iterator; and the lookup
// of its draw order table.
#include "builtin.h"
#include "database_impl.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "notify.h"
#include "object_access.h"
#include "sorttab.h"

using arx::ObjectAccess;

ARX_DEFINE_BUILTIN(AcDbBlockTableRecord, AcDbSymbolTableRecord, L"BLOCK_RECORD")

AcDbBlockTableRecord::AcDbBlockTableRecord() = default;
AcDbBlockTableRecord::~AcDbBlockTableRecord() = default;

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity)
{
    AcDbObjectId id;
    return appendAcDbEntity(id, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& id, AcDbEntity* entity)
{
    id.setNull();
    if (entity == nullptr) return Acad::eNullEntityPointer;
    if (database() == nullptr) return Acad::eNoDatabase;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (entity->objectId().isValid()) return Acad::eAlreadyInDb;
    // The list is recorded as modified, but not imaged: a block may hold many entities.
    assertWriteEnabled(false, true);
    Acad::ErrorStatus es = arx::implOf(database())->addNew(entity, id);
    if (es != Acad::eOk) return es;
    ObjectAccess::owner(entity) = objectId();
    if (ObjectAccess::layer(entity) == nullptr) ObjectAccess::layer(entity) = database()->clayer();
    if (ObjectAccess::linetype(entity) == nullptr) ObjectAccess::linetype(entity) = database()->byLayerLinetype();
    mEntities.push_back(id);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& iterator, bool atBeginning,
                                                   bool skipDeleted) const
{
    assertReadEnabled();
    iterator = new AcDbBlockTableRecordIterator(mEntities, atBeginning, skipDeleted);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setLayoutId(AcDbObjectId id)
{
    assertWriteEnabled();
    mLayout = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& pt)
{
    assertWriteEnabled();
    mOrigin = pt;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::getSortentsTable(AcDbSortentsTable*& table, AcDb::OpenMode mode,
                                                         bool createIfNecessary)
{
    table = nullptr;
    assertReadEnabled();
    if (database() == nullptr) return Acad::eNoDatabase;
    AcDbObjectId dictId = extensionDictionary();
    AcDbObjectId tableId;
    if (!dictId.isNull() && !dictId.isErased()) {
        AcDbDictionary* dict = nullptr;
        if (acdbOpenObject(dict, dictId, AcDb::kForRead) == Acad::eOk) {
            dict->getAt(L"ACAD_SORTENTS", tableId);
            dict->close();
        }
    }
    if (tableId.isNull()) {
        if (!createIfNecessary) return Acad::eKeyNotFound;
        // Making the table is the host's own business: it happens even while the
        // block is only open for read.
        std::uint16_t& st = ObjectAccess::state(this);
        const bool wasWrite = (st & arx::kStWrite) != 0;
        st |= arx::kStWrite | arx::kStNew;
        Acad::ErrorStatus es = Acad::eOk;
        if (extensionDictionary().isNull() || extensionDictionary().isErased()) es = createExtensionDictionary();
        if (!wasWrite) st &= static_cast<std::uint16_t>(~arx::kStWrite);
        st &= static_cast<std::uint16_t>(~arx::kStNew);
        if (es != Acad::eOk && es != Acad::eAlreadyInDb) return es;
        AcDbDictionary* dict = nullptr;
        if ((es = acdbOpenObject(dict, extensionDictionary(), AcDb::kForWrite)) != Acad::eOk) return es;
        auto* sortents = new AcDbSortentsTable();
        sortents->setBlockId(objectId());
        es = dict->setAt(L"ACAD_SORTENTS", sortents, tableId);
        if (es != Acad::eOk) {
            delete sortents;
            dict->close();
            return es;
        }
        sortents->close();
        dict->close();
    }
    return acdbOpenObject(table, tableId, mode);
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeSoftPointerId(mLayout);
    filer->writeHardOwnershipId(mBlockBegin);
    filer->writeHardOwnershipId(mBlockEnd);
    filer->writePoint3d(mOrigin);
    filer->writeInt16(mBlockFlags);
    // A file keeps no erased objects; undo and copies keep them all.
    const bool dropErased = filer->filerType() == AcDb::kFileFiler;
    Adesk::UInt32 n = 0;
    for (const AcDbObjectId& id : mEntities)
        if (!dropErased || !id.isErased()) ++n;
    filer->writeUInt32(n);
    for (const AcDbObjectId& id : mEntities)
        if (!dropErased || !id.isErased()) filer->writeHardOwnershipId(id);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbSoftPointerId layout;
    AcDbHardOwnershipId begin, end;
    filer->readSoftPointerId(&layout);
    filer->readHardOwnershipId(&begin);
    filer->readHardOwnershipId(&end);
    filer->readPoint3d(&mOrigin);
    filer->readInt16(&mBlockFlags);
    Adesk::UInt32 n = 0;
    if ((es = filer->readUInt32(&n)) != Acad::eOk) return es;
    std::vector<AcDbObjectId> entities;
    for (Adesk::UInt32 i = 0; i < n; ++i) {
        AcDbHardOwnershipId id;
        if ((es = filer->readHardOwnershipId(&id)) != Acad::eOk) return es;
        if (!id.isNull()) entities.push_back(id);
    }
    mLayout = layout;
    mBlockBegin = begin;
    mBlockEnd = end;
    mEntities = std::move(entities);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbBlockTableRecord");
    filer->writeString(AcDb::kDxfSymbolTableName, mName);
    filer->writeObjectId(AcDb::kDxfHardPointerId, mLayout);
    arx::writeKeptGroups(filer, this, "AcDbBlockTableRecord");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbBlockTableRecord");
    resbuf rb;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        if (rb.restype == AcDb::kDxfSymbolTableName)
            mName = rb.resval.rstring;
        else if (rb.restype == AcDb::kDxfHardPointerId)
            mLayout = reinterpret_cast<AcDbStub*>(rb.resval.rlname[0]);
        else
            arx::keepCurrentGroup(filer, this, "AcDbBlockTableRecord");
    }
    return es == Acad::eEndOfFile ? filer->filerStatus() : es;
}

// ---- iterator

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(std::vector<AcDbObjectId> ids, bool atBeginning,
                                                           bool skipDeleted)
    : mIds(std::move(ids))
{
    start(atBeginning, skipDeleted);
}
AcDbBlockTableRecordIterator::~AcDbBlockTableRecordIterator() = default;

void AcDbBlockTableRecordIterator::skip(bool forward, bool skipDeleted)
{
    if (!skipDeleted) return;
    while (mPos >= 0 && mPos < static_cast<int>(mIds.size()) && mIds[static_cast<size_t>(mPos)].isErased())
        mPos += forward ? 1 : -1;
}

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeletedEntities)
{
    mPos = atBeginning ? 0 : static_cast<int>(mIds.size()) - 1;
    skip(atBeginning, skipDeletedEntities);
}

bool AcDbBlockTableRecordIterator::done() const { return mPos < 0 || mPos >= static_cast<int>(mIds.size()); }

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeletedEntities)
{
    if (done()) return;
    mPos += forward ? 1 : -1;
    skip(forward, skipDeletedEntities);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& entityId) const
{
    if (done()) return Acad::eIteratorDone;
    entityId = mIds[static_cast<size_t>(mPos)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& entity, AcDb::OpenMode openMode,
                                                          bool openErasedEntity) const
{
    entity = nullptr;
    if (done()) return Acad::eIteratorDone;
    return acdbOpenAcDbEntity(entity, mIds[static_cast<size_t>(mPos)], openMode, openErasedEntity);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::seek(AcDbObjectId id)
{
    for (size_t i = 0; i < mIds.size(); ++i)
        if (mIds[i] == id) {
            mPos = static_cast<int>(i);
            return Acad::eOk;
        }
    return Acad::eInvalidInput;
}

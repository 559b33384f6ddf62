// The symbol table family: the abstract record and table, the table iterator,
// and the nine concrete tables; the records of each kind live in files of their
// own (layer.cpp, linetype.cpp, block.cpp, kept_records.cpp).
#include "acutads.h"
#include "builtin.h"
#include "database_impl.h"
#include "dbsymtb.h"
#include "defaults.h"
#include "notify.h"
#include "object_access.h"
#include "symbol_index.h"
#include "symbols.h"
#include "../core/utf.h"

using arx::ObjectAccess;

ARX_DEFINE_BUILTIN_ABSTRACT(AcDbSymbolTableRecord, AcDbObject)
ARX_DEFINE_BUILTIN_ABSTRACT(AcDbSymbolTable, AcDbObject)

AcDbSymbolTableRecord::AcDbSymbolTableRecord() = default;
AcDbSymbolTableRecord::~AcDbSymbolTableRecord() = default;

Acad::ErrorStatus AcDbSymbolTableRecord::getName(ACHAR*& name) const
{
    assertReadEnabled();
    return acutNewString(mName.kwszPtr(), name) == RTNORM ? Acad::eOk : Acad::eOutOfMemory;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(AcString& name) const
{
    assertReadEnabled();
    name = mName;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& name) const
{
    assertReadEnabled();
    name = mName.kwszPtr();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* name)
{
    if (name == nullptr || *name == 0) return Acad::eInvalidInput;
    // Characters that the host's names may not carry.
    for (const ACHAR* p = name; *p != 0; ++p)
        if (*p < 0x20 || std::wstring_view(L"<>/\\\":;?*|=`").find(*p) != std::wstring_view::npos)
            if (!(*p == L'*' && p == name)) return Acad::eInvalidSymbolTableName;
    assertWriteEnabled();
    mName = name;
    arx::forgetSymbolNames(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(mName);
    filer->writeInt16(mFlags);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    filer->readString(mName);
    return filer->readInt16(&mFlags);
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbSymbolTableRecord");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbSymbolTableRecord");
    return filer->filerStatus();
}

// ---- tables

AcDbSymbolTable::AcDbSymbolTable() = default;
AcDbSymbolTable::~AcDbSymbolTable() = default;

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* entryName, AcDbObjectId& recordId, bool getErasedRecord) const
{
    assertReadEnabled();
    recordId.setNull();
    if (entryName == nullptr) return Acad::eInvalidInput;
    AcDbStub* s = arx::findRecordByName(this, entryName, getErasedRecord);
    if (s == nullptr) return Acad::eKeyNotFound;
    recordId = s;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* entryName, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                         bool openErasedRec) const
{
    record = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(entryName, id, openErasedRec);
    if (es != Acad::eOk) return es;
    return acdbOpenObject(record, id, mode, openErasedRec);
}

bool AcDbSymbolTable::has(const ACHAR* name) const
{
    AcDbObjectId id;
    return getAt(name, id) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const
{
    assertReadEnabled();
    for (const AcDbObjectId& r : mRecords)
        if (r == id) return !id.isErased();
    return false;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* record)
{
    AcDbObjectId id;
    return add(id, record);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& recordId, AcDbSymbolTableRecord* record)
{
    recordId.setNull();
    if (record == nullptr) return Acad::eNullObjectPointer;
    if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
    if (database() == nullptr) return Acad::eNoDatabase;
    if (record->objectId().isValid()) return Acad::eAlreadyInDb;
    const ACHAR* name = nullptr;
    record->getName(name);
    if (name == nullptr || *name == 0) return Acad::eInvalidSymbolTableName;
    if (has(name)) return Acad::eDuplicateRecordName;
    assertWriteEnabled();
    Acad::ErrorStatus es = arx::implOf(database())->addNew(record, recordId);
    if (es != Acad::eOk) return es;
    ObjectAccess::owner(record) = objectId();
    mRecords.push_back(recordId);
    // A block's BLOCK and ENDBLK records need handles of their own in DXF files.
    if (auto* block = AcDbBlockTableRecord::cast(record)) arx::ensureBlockMarkers(database(), block);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& iterator, bool atBeginning,
                                               bool skipDeleted) const
{
    assertReadEnabled();
    iterator = new AcDbSymbolTableIterator(mRecords, atBeginning, skipDeleted);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    // A file keeps no erased objects; undo and copies keep them all.
    const bool dropErased = filer->filerType() == AcDb::kFileFiler;
    Adesk::UInt32 n = 0;
    for (const AcDbObjectId& id : mRecords)
        if (!dropErased || !id.isErased()) ++n;
    filer->writeUInt32(n);
    for (const AcDbObjectId& id : mRecords)
        if (!dropErased || !id.isErased()) filer->writeHardOwnershipId(id);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::UInt32 n = 0;
    if ((es = filer->readUInt32(&n)) != Acad::eOk) return es;
    std::vector<AcDbObjectId> records;
    for (Adesk::UInt32 i = 0; i < n; ++i) {
        AcDbHardOwnershipId id;
        if ((es = filer->readHardOwnershipId(&id)) != Acad::eOk) return es;
        if (!id.isNull()) records.push_back(id);
    }
    mRecords = std::move(records);
    mNameIndex.reset();
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbSymbolTable");
    Adesk::Int16 live = 0;
    for (const AcDbObjectId& id : mRecords)
        if (!id.isErased()) ++live;
    filer->writeInt16(AcDb::kDxfInt16, live);
    arx::writeKeptGroups(filer, this, "AcDbSymbolTable");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    filer->atSubclassData(L"AcDbSymbolTable");
    resbuf rb;
    bool countSeen = false;
    while ((es = filer->readResBuf(&rb)) == Acad::eOk) {
        // The count is the host's to write; what follows it (the dimension style
        // table's own section) is kept.
        if (rb.restype == AcDb::kDxfInt16 && !countSeen) {
            countSeen = true;
            continue;
        }
        arx::keepCurrentGroup(filer, this, "AcDbSymbolTable");
    }
    return es == Acad::eEndOfFile ? filer->filerStatus() : es;
}

// ---- iterator

AcDbSymbolTableIterator::AcDbSymbolTableIterator(std::vector<AcDbObjectId> ids, bool atBeginning, bool skipDeleted)
    : mIds(std::move(ids))
{
    start(atBeginning, skipDeleted);
}
AcDbSymbolTableIterator::~AcDbSymbolTableIterator() = default;

void AcDbSymbolTableIterator::skip(bool forward, bool skipDeleted)
{
    if (!skipDeleted) return;
    while (mPos >= 0 && mPos < static_cast<int>(mIds.size()) && mIds[static_cast<size_t>(mPos)].isErased())
        mPos += forward ? 1 : -1;
}

void AcDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted)
{
    mPos = atBeginning ? 0 : static_cast<int>(mIds.size()) - 1;
    skip(atBeginning, skipDeleted);
}

bool AcDbSymbolTableIterator::done() const { return mPos < 0 || mPos >= static_cast<int>(mIds.size()); }

void AcDbSymbolTableIterator::step(bool forward, bool skipDeleted)
{
    if (done()) return;
    mPos += forward ? 1 : -1;
    skip(forward, skipDeleted);
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const
{
    if (done()) return Acad::eIteratorDone;
    id = mIds[static_cast<size_t>(mPos)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                                     bool openErasedRec) const
{
    record = nullptr;
    if (done()) return Acad::eIteratorDone;
    return acdbOpenObject(record, mIds[static_cast<size_t>(mPos)], mode, openErasedRec);
}

// ---- the concrete tables

#define ARX_DEFINE_SYMBOL_TABLE(TABLE, RECORD)                                                          \
    ARX_DEFINE_BUILTIN(TABLE, AcDbSymbolTable, L"TABLE")                                                \
    TABLE::TABLE() = default;                                                                           \
    TABLE::~TABLE() = default;                                                                          \
    Acad::ErrorStatus TABLE::getAt(const ACHAR* entryName, RECORD*& record, AcDb::OpenMode mode,        \
                                   bool openErasedRec) const                                            \
    {                                                                                                   \
        record = nullptr;                                                                               \
        AcDbObjectId id;                                                                                \
        Acad::ErrorStatus es = AcDbSymbolTable::getAt(entryName, id, openErasedRec);                    \
        if (es != Acad::eOk) return es;                                                                 \
        return acdbOpenObject(record, id, mode, openErasedRec);                                         \
    }

ARX_DEFINE_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord)
ARX_DEFINE_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord)
ARX_DEFINE_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord)
ARX_DEFINE_SYMBOL_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord)
ARX_DEFINE_SYMBOL_TABLE(AcDbViewportTable, AcDbViewportTableRecord)
ARX_DEFINE_SYMBOL_TABLE(AcDbViewTable, AcDbViewTableRecord)
ARX_DEFINE_SYMBOL_TABLE(AcDbUCSTable, AcDbUCSTableRecord)
ARX_DEFINE_SYMBOL_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord)
ARX_DEFINE_SYMBOL_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord)

namespace arx {
AcDbSymbolTableRecord* newRecordOf(TableKind kind)
{
    switch (kind) {
    case TableKind::kViewport: return new AcDbViewportTableRecord();
    case TableKind::kLinetype: return new AcDbLinetypeTableRecord();
    case TableKind::kLayer: return new AcDbLayerTableRecord();
    case TableKind::kTextStyle: return new AcDbTextStyleTableRecord();
    case TableKind::kView: return new AcDbViewTableRecord();
    case TableKind::kUCS: return new AcDbUCSTableRecord();
    case TableKind::kRegApp: return new AcDbRegAppTableRecord();
    case TableKind::kDimStyle: return new AcDbDimStyleTableRecord();
    case TableKind::kBlock: return new AcDbBlockTableRecord();
    case TableKind::kCount: break;
    }
    return nullptr;
}
}  // namespace arx

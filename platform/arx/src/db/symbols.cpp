// Symbol lookups without the open protocol: the host reads names for files and
// messages itself, between commands. A reader that meets a name the drawing
// lacks makes the record rather than refusing the drawing.
#include "symbols.h"

#include "dbsymtb.h"
#include "defaults.h"
#include "object_access.h"
#include "symbol_index.h"
#include "../core/utf.h"

namespace arx {

std::wstring symbolName(AcDbStub* record, const wchar_t* fallback)
{
    auto* rec = AcDbSymbolTableRecord::cast(resolveStub(record));
    if (rec == nullptr) return fallback;
    const ACHAR* name = nullptr;
    // The name is read without the open protocol: the host itself asks.
    std::uint16_t& readers = ObjectAccess::readers(rec);
    ++readers;
    rec->getName(name);
    --readers;
    return name != nullptr ? name : fallback;
}

static AcDbSymbolTable* tableOf(AcDbDatabase* db, TableKind kind)
{
    DatabaseImpl* impl = implOf(db);
    if (impl == nullptr) return nullptr;
    return AcDbSymbolTable::cast(resolveStub(impl->table(kind)));
}

AcDbStub* findRecordByName(const AcDbSymbolTable* table, const ACHAR* name, bool includeErased)
{
    if (table == nullptr || name == nullptr) return nullptr;
    std::unique_ptr<SymbolNameIndex>& index = ObjectAccess::nameIndex(table);
    if (index == nullptr) index = std::make_unique<SymbolNameIndex>();
    return index->find(ObjectAccess::records(const_cast<AcDbSymbolTable*>(table)), name, includeErased);
}

Acad::ErrorStatus findSymbol(AcDbDatabase* db, TableKind kind, const ACHAR* name, AcDbObjectId& id)
{
    id.setNull();
    if (db == nullptr) return Acad::eNoDatabase;
    if (name == nullptr || *name == 0) return Acad::eInvalidInput;
    AcDbStub* s = findRecordByName(tableOf(db, kind), name, false);
    if (s == nullptr) return Acad::eKeyNotFound;
    id = s;
    return Acad::eOk;
}

AcDbStub* addSymbolRecord(AcDbDatabase* db, TableKind kind, AcDbSymbolTableRecord* record)
{
    AcDbSymbolTable* table = tableOf(db, kind);
    if (table == nullptr) {
        delete record;
        return nullptr;
    }
    AcDbObjectId id;
    if (implOf(db)->addNew(record, id) != Acad::eOk) {
        delete record;
        return nullptr;
    }
    ObjectAccess::owner(record) = table->objectId();
    ObjectAccess::records(table).push_back(id);
    if (auto* block = AcDbBlockTableRecord::cast(record)) ensureBlockMarkers(db, block);
    record->close();
    return id;
}

AcDbSymbolTableRecord* newRecordOf(TableKind kind);

AcDbStub* symbolForReading(AcDbDatabase* db, TableKind kind, const ACHAR* name)
{
    if (db == nullptr || name == nullptr) return nullptr;
    AcDbStub* s = findRecordByName(tableOf(db, kind), name, true);
    if (s == nullptr && *name != 0) {
        AcDbSymbolTableRecord* rec = newRecordOf(kind);
        if (rec == nullptr) return nullptr;
        rec->setName(name);
        s = addSymbolRecord(db, kind, rec);
    }
    return s;
}

bool isPaperSpaceOwner(AcDbObjectId owner)
{
    auto* btr = AcDbBlockTableRecord::cast(resolveStub(owner));
    if (btr == nullptr) return false;
    std::wstring name = symbolName(owner, L"");
    return name.size() >= 12 && equalsNoCase(std::wstring_view(name).substr(0, 12), L"*Paper_Space");
}

}  // namespace arx

// Lookups in the symbol tables by name, as entities and files refer to layers
// and linetypes.
#pragma once
#include <string>

#include "database_impl.h"
#include "dbsymtb.h"

namespace arx {
// The record's name, or fallback when the id names no record.
std::wstring symbolName(AcDbStub* record, const wchar_t* fallback);
// The first record of that name in the table's order, compared without regard to case.
AcDbStub* findRecordByName(const AcDbSymbolTable* table, const ACHAR* name, bool includeErased);
Acad::ErrorStatus findSymbol(AcDbDatabase* db, TableKind kind, const ACHAR* name, AcDbObjectId& id);
// The record of that name, made on the spot when a drawing refers to one its
// tables lack (a drawing is never refused for an undefined layer).
AcDbStub* symbolForReading(AcDbDatabase* db, TableKind kind, const ACHAR* name);
// Adds a new record to a table without the open protocol (for readers and for
// building a new drawing). The record is closed afterwards.
AcDbStub* addSymbolRecord(AcDbDatabase* db, TableKind kind, AcDbSymbolTableRecord* record);
// True for entities owned by a paper space block.
bool isPaperSpaceOwner(AcDbObjectId owner);
}  // namespace arx

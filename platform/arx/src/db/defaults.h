// What every drawing has: the nine symbol tables, layer "0", the three standard
// linetypes, model and paper space with their layouts, and the named objects
// dictionary. A new drawing is built from these; a drawing read from a file that
// lacks some of them gets them.
#pragma once
#include <string>
#include <vector>

#include "dbmain.h"

namespace arx {
void buildDefaultDrawing(AcDbDatabase* db);
void completeDrawing(AcDbDatabase* db);
// The nine symbol tables, where the drawing lacks them.
void ensureSymbolTables(AcDbDatabase* db);
// Adds a new object under an owner, without the open protocol; it is closed.
AcDbStub* addDirect(AcDbDatabase* db, AcDbObject* obj, AcDbStub* owner);
// Gives a block the handles of its BLOCK and ENDBLK records, which DXF files
// name, when it has none yet.
void ensureBlockMarkers(AcDbDatabase* db, AcDbBlockTableRecord* btr);
// The folders findFile searches for support files, after the drawing's own.
std::vector<std::wstring>& supportPaths();
Acad::ErrorStatus loadLinetypes(AcDbDatabase* db, const ACHAR* ltName, const ACHAR* fileName);
}  // namespace arx

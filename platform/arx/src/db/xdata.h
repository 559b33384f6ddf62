// Extended data: groups of values attached to an object under registered
// application names, stored as DXF groups (each group starts with its 1001 name).
#pragma once
#include <string>

#include "dbmain.h"

namespace arx {
// The chain of the whole extended data, or of one application's group.
resbuf* xdataToResbuf(const std::string& store, const ACHAR* regappName, AcDbDatabase* db);
// Applies a chain to the stored data: each application group in the chain
// replaces that application's group; a group that is only the name removes it.
Acad::ErrorStatus mergeXdata(const std::string& existing, const resbuf* xdata, AcDbDatabase* db, std::string& out);
constexpr size_t kMaxXdataBytes = 16383;
}  // namespace arx

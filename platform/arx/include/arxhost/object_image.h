// An object's binary filing as bytes, the form undo, copies and proxies keep:
// offered to the host program and its tests, to look at and to damage on purpose.
#pragma once
#include <string>
#include <string_view>

#include "dbmain.h"

namespace arxhost {

// Files obj (open for read) out through the binary filer of its database.
Acad::ErrorStatus fileOut(const AcDbObject* obj, std::string& bytes);
// Reads obj (open for write) back from bytes; the object's own filing decides
// what a damaged image does to it.
Acad::ErrorStatus fileIn(AcDbObject* obj, std::string_view bytes);

}  // namespace arxhost

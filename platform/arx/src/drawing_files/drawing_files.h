// Reading and writing drawings: the host's binary drawing file (".dwg") and DXF.
// Reading builds the drawing aside and puts it in the database only when the
// whole file was read, so a failed read leaves the database as it was. Every
// failure leaves a message naming the file and the line or byte offset.
#pragma once
#include <string>

#include "dbmain.h"
#include "../core/file_error.h"

namespace arx {

enum class DrawingFormat { kBinary, kDxf };

Acad::ErrorStatus readDrawing(AcDbDatabase* db, const ACHAR* path, DrawingFormat format);
Acad::ErrorStatus writeDrawing(AcDbDatabase* db, const ACHAR* path, DrawingFormat format,
                               AcDb::AcDbDwgVersion version, int precision);

// Opens a DXF or binary drawing, whichever the file holds.
Acad::ErrorStatus openDrawingByContent(AcDbDatabase* db, const std::wstring& path);
// Saves as DXF for ".dxf", as a binary drawing for ".dwg"; other names fail.
Acad::ErrorStatus saveDrawingByName(AcDbDatabase* db, const std::wstring& path);

}  // namespace arx

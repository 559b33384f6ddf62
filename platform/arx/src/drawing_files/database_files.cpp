// The database's own file members: opening and saving a whole drawing goes
// through the drawing-file readers and writers, which sit above the database.
#include "dbmain.h"
#include "drawing_files.h"
#include "../core/generation.h"

Acad::ErrorStatus AcDbDatabase::readDwgFile(const ACHAR* fileName)
{
    return arx::readDrawing(this, fileName, arx::DrawingFormat::kBinary);
}

Acad::ErrorStatus AcDbDatabase::dxfIn(const ACHAR* dxfFilename, const ACHAR*)
{
    return arx::readDrawing(this, dxfFilename, arx::DrawingFormat::kDxf);
}

Acad::ErrorStatus AcDbDatabase::saveAs(const ACHAR* fileName) { return saveAs(fileName, arx::hostDwgVersion()); }

Acad::ErrorStatus AcDbDatabase::saveAs(const ACHAR* fileName, AcDb::AcDbDwgVersion dwgVer)
{
    return arx::writeDrawing(this, fileName, arx::DrawingFormat::kBinary, dwgVer, -1);
}

Acad::ErrorStatus AcDbDatabase::dxfOut(const ACHAR* fileName, int precision, AcDb::AcDbDwgVersion dwgVer, bool)
{
    return arx::writeDrawing(this, fileName, arx::DrawingFormat::kDxf, dwgVer, precision);
}

// The DXF writer; see dxf_writer.cpp.
#pragma once
#include <string>

#include "dbmain.h"

namespace arx {
class OutputFile;
bool writeDxfFile(AcDbDatabase* db, OutputFile& out, AcDb::AcDbDwgVersion version, int precision, std::string& error);
}  // namespace arx

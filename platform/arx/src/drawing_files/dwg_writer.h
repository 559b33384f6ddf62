// The binary drawing writer; see dwg_writer.cpp.
#pragma once
#include <string>

#include "dbmain.h"

namespace arx {
class OutputFile;
bool writeDwgFile(AcDbDatabase* db, OutputFile& out, AcDb::AcDbDwgVersion version, std::string& error);
}  // namespace arx

// The DXF reader; see dxf_reader.cpp.
#pragma once
#include <string>

#include "dbmain.h"

namespace arx {
// Reads a DXF file into an empty database; false with a message (line number
// first) when the file is not a DXF drawing the host can read.
bool readDxfFile(AcDbDatabase* db, int fd, std::string& error);
}  // namespace arx

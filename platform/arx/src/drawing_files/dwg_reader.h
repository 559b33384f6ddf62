// The binary drawing reader; see dwg_reader.cpp.
#pragma once
#include <string>

#include "dbmain.h"

namespace arx {
bool readDwgFile(AcDbDatabase* db, int fd, std::string& error);
}  // namespace arx

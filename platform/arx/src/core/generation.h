// Which generation of the host this process plays: the 2010 generation files
// drawings as version 29 (DXF AC1024), the 2013 generation as 31 (AC1027).
#pragma once
#include "acdb.h"

namespace arx {
void setHostGeneration(int year);  // 2010 or 2013
int hostGeneration();
AcDb::AcDbDwgVersion hostDwgVersion();
AcDb::MaintenanceReleaseVersion hostMaintenanceVersion();
const char* dxfVersionText(AcDb::AcDbDwgVersion ver);  // "AC1024", "AC1027"
}  // namespace arx

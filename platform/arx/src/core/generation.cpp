// The generation the process plays (the host program sets it from --release)
// and the file versions that follow from it.
#include "generation.h"

namespace arx {
namespace {
int gGeneration = 2013;
}

void setHostGeneration(int year) { gGeneration = year == 2010 ? 2010 : 2013; }
int hostGeneration() { return gGeneration; }
AcDb::AcDbDwgVersion hostDwgVersion() { return gGeneration == 2010 ? AcDb::kDHL_1024 : AcDb::kDHL_1027; }
AcDb::MaintenanceReleaseVersion hostMaintenanceVersion()
{
    return gGeneration == 2010 ? AcDb::kMRelease6 : AcDb::kMRelease8;
}
const char* dxfVersionText(AcDb::AcDbDwgVersion ver) { return ver == AcDb::kDHL_1024 ? "AC1024" : "AC1027"; }
}  // namespace arx

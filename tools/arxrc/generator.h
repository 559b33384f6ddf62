// Writes a checked Script as C++: the resource data as constant arrays, the table of
// resources, and the static registrar that adds the table to the module's resources
// (see platform/win32/include/win32/resource_table.h for the formats).
#pragma once
#include <string>

#include "script.h"

namespace arxrc {

std::string generateCpp(const Script& script);

}  // namespace arxrc

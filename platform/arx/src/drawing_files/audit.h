// The audit of a drawing just read: what readers cannot check record by
// record. A drawing that passes can be written in both formats and read back.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "dbmain.h"

namespace arx {
// Where a handle's record is in the file being read ("line 12", "byte 300"),
// or "" when it is not in the file.
using PlaceOf = std::function<std::string(std::uint64_t handle)>;
// False with a message (place first) when objects own each other in a circle,
// a root object is of the wrong class, or a table or block lists what is not
// its own.
bool auditDrawing(AcDbDatabase* db, const PlaceOf& placeOf, std::string& error);
}  // namespace arx

// The audit of a drawing just read: what readers cannot check record by
// record. A drawing that passes can be written in both formats and read back.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "dbmain.h"
#include "read_error.h"

namespace arx {
// Where a handle's record is in the file being read (nowhere when it is not).
using PlaceOf = std::function<FilePlace(std::uint64_t handle)>;
// Fails the read (ReadError at the record's place) when objects own each other
// in a circle, a root object is of the wrong class, or a table or block lists
// what is not its own.
void auditDrawing(AcDbDatabase* db, const PlaceOf& placeOf);
}  // namespace arx

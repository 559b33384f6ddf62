// Copying entities as the host's commands copy them: within a drawing by deep
// clone, into another drawing by wblock clone. An entity may decline to be
// copied (its clone comes back null), which is no error: it is left behind.
// Copied into another drawing, an entity keeps its layer and linetype by name,
// made there when missing.
#pragma once
#include "dbmain.h"
#include "dbsymtb.h"

namespace arx {

// Copies the entity (by id) into space (open for write); the copy, if one was
// made, is open for write and transformed by xform. es is the first failure.
AcDbEntity* copyEntity(AcDbObjectId source, AcDbBlockTableRecord* space, const AcGeMatrix3d& xform,
                       Acad::ErrorStatus& es);

}  // namespace arx

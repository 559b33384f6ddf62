// Who hears that an object of a database changed: the floor above that keeps
// what entities look like (the views' display lists) and whether a drawing was
// modified. The database reports every write open that changed or made an
// object, and every cancelled change, once the object is closed again.
#pragma once
#include "dbmain.h"

namespace arx {

// graphicsChanged is false when the object said its drawing stands as it was
// (recordGraphicsModified(false)).
using ObjectChangeHook = void (*)(AcDbObject* obj, bool graphicsChanged);
void setObjectChangeHook(ObjectChangeHook hook);
void reportObjectChange(AcDbObject* obj, bool graphicsChanged);

}  // namespace arx

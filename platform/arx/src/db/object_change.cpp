// The one listener to object changes, set by the floor that draws.
#include "object_change.h"

namespace arx {
namespace {
ObjectChangeHook gHook = nullptr;
}

void setObjectChangeHook(ObjectChangeHook hook) { gHook = hook; }

void reportObjectChange(AcDbObject* obj, bool graphicsChanged)
{
    if (gHook != nullptr) gHook(obj, graphicsChanged);
}

}  // namespace arx

#include "VelaToneObReactor.h"

ACRX_CONS_DEFINE_MEMBERS(VelaToneObReactor, AcDbObjectReactor, 1)

VelaToneObReactor::VelaToneObReactor() {}
VelaToneObReactor::~VelaToneObReactor() {}

bool HasVelaToneObReactor(AcDbObject* pObj)
{
    if (pObj == NULL) return false;
    AcDbVoidPtrArray* pReactors = pObj->reactors();
    if (pReactors == NULL || pReactors->length() == 0) return false;
    for (int i = 0; i < pReactors->length(); ++i) {
        void* p = pReactors->at(i);
        if (p == NULL || acdbIsPersistentReactor(p)) continue;
        if (static_cast<AcRxObject*>(p)->isKindOf(VelaToneObReactor::desc())) return true;
    }
    return false;
}

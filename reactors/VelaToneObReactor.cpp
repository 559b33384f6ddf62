// VelaToneObReactor: the shared reactor on every registered note. An erased
// note leaves its document's list, an unerased one (an undo, a redo) comes back
// into it. Before the registry exists and after it is gone it does nothing.
#include "VelaToneObReactor.h"

#include "VelaToneManager.h"
#include "VelaToneViewer.h"

ACRX_CONS_DEFINE_MEMBERS(VelaToneObReactor, AcDbObjectReactor, 1)

VelaToneObReactor::VelaToneObReactor() {}
VelaToneObReactor::~VelaToneObReactor() {}

void VelaToneObReactor::erased(const AcDbObject* dbObj, Adesk::Boolean bErasing)
{
    VelaToneManager* pManager = qkVtManagerPtr();
    if (pManager == NULL || dbObj == NULL) return;
    AcApDocument* pDoc = acDocManager->document(dbObj->database());
    if (bErasing)
        pManager->RemoveVelaTone(dbObj->objectId(), pDoc);
    else
        pManager->AppendVelaTone(dbObj->objectId(), pDoc);
}

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

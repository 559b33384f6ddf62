// The link between a note of type Object and the entity it is attached to: a
// VelaTonePsReactor object kept in the note's extension dictionary under
// "VELATONEASSOC", whose id the entity carries as a persistent reactor, so that
// every change of the entity reaches the note. Both operations stop at the first
// open that fails, leaving what they had already done. The note comes open from
// the caller; its extension dictionary is made through a second open when one
// can be had, else through the caller's own.
#include "VelaToneManager.h"

#include "QkDbVelaTone.h"
#include "VelaTonePsReactor.h"

namespace {
const ACHAR* const kAssocKey = _T("VELATONEASSOC");
}

bool VelaToneManager::addNotifier(QkDbVelaTone* pNote, AcDbObjectId attachedId)
{
    AcDbObject* pAttached = NULL;
    if (acdbOpenAcDbObject(pAttached, attachedId, AcDb::kForWrite) != Acad::eOk) return false;

    if (pNote->extensionDictionary().isNull()) {
        QkDbVelaTone* pWritable = NULL;
        if (acdbOpenObject(pWritable, pNote->objectId(), AcDb::kForWrite) == Acad::eOk) {
            pWritable->createExtensionDictionary();
            pWritable->close();
        } else if (pNote->isWriteEnabled()) {
            // The caller holds the note for write, so no second open can:
            // the dictionary is made through the caller's open.
            pNote->createExtensionDictionary();
        } else if (pNote->isReadEnabled() && pNote->upgradeOpen() == Acad::eOk) {
            // Held for read by the caller alone: made through that open,
            // which is for read again afterwards.
            pNote->createExtensionDictionary();
            pNote->downgradeOpen();
        }
    }
    AcDbObjectId dictId = pNote->extensionDictionary();
    if (!dictId.isValid()) {
        pAttached->close();
        return false;
    }
    AcDbDictionary* pDict = NULL;
    if (acdbOpenObject(pDict, dictId, AcDb::kForWrite) != Acad::eOk) {
        pAttached->close();
        return false;
    }
    VelaTonePsReactor* pReactor = new VelaTonePsReactor();
    pReactor->eLinkage(pNote->objectId());
    AcDbObjectId reactorId;
    Acad::ErrorStatus es = pDict->setAt(kAssocKey, pReactor, reactorId);
    pDict->close();
    if (es != Acad::eOk) {
        // Never in the drawing: it is ours to delete.
        delete pReactor;
        pAttached->close();
        return false;
    }
    pReactor->close();
    pAttached->addPersistentReactor(reactorId);
    pAttached->close();
    return true;
}

bool VelaToneManager::delNotifier(QkDbVelaTone* pNote, AcDbObjectId attachedId)
{
    if (pNote->extensionDictionary().isNull()) return false;
    AcDbDictionary* pDict = NULL;
    if (acdbOpenObject(pDict, pNote->extensionDictionary(), AcDb::kForRead) != Acad::eOk) return false;
    AcDbObjectId reactorId;
    pDict->getAt(kAssocKey, reactorId);
    pDict->close();

    AcDbObject* pAttached = NULL;
    if (acdbOpenAcDbObject(pAttached, attachedId, AcDb::kForWrite) != Acad::eOk) return false;
    pAttached->removePersistentReactor(reactorId);
    pAttached->close();

    VelaTonePsReactor* pReactor = NULL;
    if (acdbOpenObject(pReactor, reactorId, AcDb::kForWrite) != Acad::eOk) return false;
    pReactor->erase(true);
    pReactor->close();

    // The host takes the dictionary away only once it has become empty.
    pNote->releaseExtensionDictionary();
    return true;
}

// VelaToneManager: registering and unregistering notes per document, visiting
// them (listing, showing, regenerating) and erasing them. Every visit opens each
// id for the shortest time and skips ids that do not open: a list may name a
// note that no longer exists, and keeps it.
#include "VelaToneManager.h"

#include <functional>

#include "DocVoiceList.h"
#include "QkDbVelaTone.h"
#include "VelaToneObReactor.h"
#include "VelaTonePmReactor.h"
#include "VelaToneTagUIDlg.h"
#include "VelaToneAudio.h"
#include "VelaToneViewer.h"

namespace {

bool isOpenDocument(AcApDocument* pDoc)
{
    bool open = false;
    AcApDocumentIterator* pIter = acDocManagerPtr()->newAcApDocumentIterator();
    for (; !pIter->done() && !open; pIter->step()) open = pIter->document() == pDoc;
    delete pIter;
    return open;
}

// Takes the shared reactor off the object, if it opens and carries it.
void detachSharedReactor(AcDbObjectId id, bool openErased)
{
    AcDbObject* pObj = NULL;
    if (acdbOpenAcDbObject(pObj, id, AcDb::kForRead, openErased) != Acad::eOk) return;
    if (HasVelaToneObReactor(pObj)) pObj->removeReactor(vtObjRectPtr());
    pObj->close();
}

}  // namespace

VelaToneManager::VelaToneManager()
{
    AcApDocumentIterator* pIter = acDocManagerPtr()->newAcApDocumentIterator();
    for (; !pIter->done(); pIter->step()) ReadVoiceHandle(pIter->document());
    delete pIter;
}

VelaToneManager::~VelaToneManager()
{
    AcApDocumentIterator* pIter = acDocManagerPtr()->newAcApDocumentIterator();
    for (; !pIter->done(); pIter->step()) {
        AcApDocument* pDoc = pIter->document();
        SaveVoiceHandle(pDoc->database());
        RemoveVelaTone(pDoc);
    }
    delete pIter;

    // The tag window: one that plays is stopped (its output device reset),
    // and in every state it is destroyed and gpTagUIDlg cleared; a sound of the
    // one-shot player stops too.
    if (gpTagUIDlg != NULL) {
        gpTagUIDlg->StopPlaying();
        CVelaToneTagUIDlg::DestroyTag();
    }
    StopWaveData();

    // Lists left belong to documents that went without the document reactor
    // hearing of it: their monitors must not reach into them.
    for (int i = 0; i < m_DocMap.length(); ++i) {
        DocVoiceList* pList = m_DocMap[i].m_pList;
        if (pList == NULL) continue;
        if (!isOpenDocument(m_DocMap[i].m_pDoc)) pList->m_pMonitor->Abandon();
        delete pList;
    }
    m_DocMap.removeAll();
}

int VelaToneManager::entryOf(AcApDocument* pDoc) const
{
    // Binary search: entries are kept in the order of the documents' addresses.
    std::less<AcApDocument*> before;
    int lo = 0, hi = m_DocMap.length();
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (before(m_DocMap[mid].m_pDoc, pDoc))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo < m_DocMap.length() && m_DocMap[lo].m_pDoc == pDoc ? lo : -1;
}

int VelaToneManager::entryFor(AcApDocument* pDoc)
{
    int at = entryOf(pDoc);
    if (at >= 0) return at;
    std::less<AcApDocument*> before;
    at = 0;
    while (at < m_DocMap.length() && before(m_DocMap[at].m_pDoc, pDoc)) ++at;
    DocEntry entry;
    entry.m_pDoc = pDoc;
    entry.m_pList = NULL;
    m_DocMap.insertAt(at, entry);
    return at;
}

DocVoiceList* VelaToneManager::listOf(AcApDocument* pDoc) const
{
    int at = entryOf(pDoc);
    return at >= 0 ? m_DocMap[at].m_pList : NULL;
}

void VelaToneManager::dropList(int entry)
{
    delete m_DocMap[entry].m_pList;
    m_DocMap[entry].m_pList = NULL;
    if (m_DocMap[entry].m_ErasedCarriers.isEmpty()) m_DocMap.removeAt(entry);
}

void VelaToneManager::AppendVelaTone(AcDbObjectId id, AcApDocument* pDoc)
{
    const int at = entryFor(pDoc);
    DocEntry& entry = m_DocMap[at];
    if (entry.m_pList == NULL) entry.m_pList = new DocVoiceList(pDoc);
    entry.m_pList->m_Ids.append(id);
    // A note back from its erasure still carries the reactor it kept.
    entry.m_ErasedCarriers.remove(id);

    AcDbObject* pObj = NULL;
    if (acdbOpenAcDbObject(pObj, id, AcDb::kForRead) != Acad::eOk) return;
    if (!HasVelaToneObReactor(pObj)) pObj->addReactor(vtObjRectPtr());
    pObj->close();
}

void VelaToneManager::RemoveVelaTone(AcDbObjectId id, AcApDocument* pDoc)
{
    int at = entryOf(pDoc);
    if (at < 0 || m_DocMap[at].m_pList == NULL) return;
    DocVoiceList* pList = m_DocMap[at].m_pList;
    pList->m_Ids.remove(id);

    AcDbObject* pObj = NULL;
    Acad::ErrorStatus es = acdbOpenAcDbObject(pObj, id, AcDb::kForRead);
    if (es == Acad::eOk) {
        if (HasVelaToneObReactor(pObj)) pObj->removeReactor(vtObjRectPtr());
        pObj->close();
    } else if (es == Acad::eWasOpenForWrite) {
        // Told from inside the note's own erasure: the reactor stays on it.
        AcArray<AcDbObjectId>& kept = m_DocMap[at].m_ErasedCarriers;
        if (!kept.contains(id)) kept.append(id);
    }

    if (pList->m_Ids.isEmpty()) dropList(at);
}

void VelaToneManager::RemoveVelaTone(AcApDocument* pDoc)
{
    int at = entryOf(pDoc);
    if (at < 0) return;
    DocEntry& entry = m_DocMap[at];
    if (entry.m_pList != NULL) {
        for (int i = 0; i < entry.m_pList->m_Ids.length(); ++i) detachSharedReactor(entry.m_pList->m_Ids[i], false);
        entry.m_pList->m_Ids.removeAll();
    }
    for (int i = 0; i < entry.m_ErasedCarriers.length(); ++i) detachSharedReactor(entry.m_ErasedCarriers[i], true);
    entry.m_ErasedCarriers.removeAll();
    dropList(at);
}

void VelaToneManager::GetAllObjects(AcArray<AcDbObjectId>& ids, AcApDocument* pDoc)
{
    DocVoiceList* pList = listOf(pDoc);
    if (pList == NULL) return;
    for (int i = 0; i < pList->m_Ids.length(); ++i) ids.append(pList->m_Ids[i]);
}

void VelaToneManager::ShowAllObjects(bool bShow, AcApDocument* pDoc)
{
    DocVoiceList* pList = listOf(pDoc);
    if (pList == NULL) return;
    for (int i = 0; i < pList->m_Ids.length(); ++i) {
        ads_name en;
        if (acdbGetAdsName(en, pList->m_Ids[i]) != Acad::eOk) continue;
        acedRedraw(en, bShow ? 1 : 2);
    }
}

void VelaToneManager::UpdateAll(AcApDocument* pDoc)
{
    DocVoiceList* pList = listOf(pDoc);
    if (pList == NULL) return;
    AcArray<AcDbObjectId> lockedIds(0, 8);
    for (int i = 0; i < pList->m_Ids.length(); ++i) {
        if (acDocManager->lockDocument(pDoc, AcAp::kWrite, NULL, NULL, true) != Acad::eOk) return;
        QkDbVelaTone* pNote = NULL;
        if (acdbOpenObject(pNote, pList->m_Ids[i], AcDb::kForRead) == Acad::eOk) {
            if (pNote->database()->currentSpaceId() == pNote->ownerId()) {
                Acad::ErrorStatus es = pNote->upgradeOpen();
                if (es == Acad::eOnLockedLayer)
                    lockedIds.append(pNote->objectId());
                else if (es == Acad::eOk)
                    pNote->recordGraphicsModified(true);
            }
            pNote->close();
        }
        acDocManager->unlockDocument(pDoc);
    }
    // A note on a locked layer cannot be opened for write: it is drawn again this way.
    for (int i = 0; i < lockedIds.length(); ++i) {
        ads_name en;
        if (acdbGetAdsName(en, lockedIds[i]) == Acad::eOk) acdbEntUpd(en);
    }
}

bool VelaToneManager::EraseVelaTone(AcDbObjectId id, AcApDocument* pDoc)
{
    if (pDoc == NULL) pDoc = acDocManager->curDocument();
    acDocManager->lockDocument(pDoc, AcAp::kWrite, NULL, NULL, true);
    QkDbVelaTone* pNote = NULL;
    Acad::ErrorStatus es = acdbOpenObject(pNote, id, AcDb::kForWrite);
    if (es == Acad::eOk) {
        if (pNote->getVelaToneType() == QkDbVelaTone::kObject && pNote->getAttEntId().isValid())
            delNotifier(pNote, pNote->getAttEntId());
        pNote->doUnhighlight();
        pNote->erase(true);
        pNote->close();
        acedSSSetFirst(NULL, NULL);
    } else if (es == Acad::eOnLockedLayer) {
        CString message;
        message.LoadString(IDS_MSG_LOCKED_ONE);
        acutPrintf(message);
    }
    acDocManager->unlockDocument(pDoc);
    return true;
}

void VelaToneManager::AppendVelaTone(AcApDocument* pDoc)
{
    AcDbDatabase* pDb = pDoc != NULL ? pDoc->database() : NULL;
    if (pDb == NULL) return;
    AcDbDictionary* pLayouts = NULL;
    if (pDb->getLayoutDictionary(pLayouts, AcDb::kForRead) != Acad::eOk) return;
    AcArray<AcDbObjectId> blockIds(0, 8);
    AcDbDictionaryIterator* pIter = pLayouts->newIterator();
    pLayouts->close();
    for (; !pIter->done(); pIter->next()) {
        AcDbObject* pObj = NULL;
        if (acdbOpenAcDbObject(pObj, pIter->objectId(), AcDb::kForRead) != Acad::eOk) continue;
        if (AcDbLayout* pLayout = AcDbLayout::cast(pObj)) blockIds.append(pLayout->getBlockTableRecordId());
        pObj->close();
    }
    delete pIter;

    for (int i = 0; i < blockIds.length(); ++i) {
        AcDbBlockTableRecord* pBlock = NULL;
        if (acdbOpenObject(pBlock, blockIds[i], AcDb::kForRead) != Acad::eOk) continue;
        AcDbBlockTableRecordIterator* pEntities = NULL;
        pBlock->newIterator(pEntities, true, true);
        pBlock->close();
        for (pEntities->start(true, true); !pEntities->done(); pEntities->step(true, true)) {
            AcDbEntity* pEnt = NULL;
            if (pEntities->getEntity(pEnt, AcDb::kForRead) != Acad::eOk) continue;
            AcDbObjectId noteId = pEnt->isKindOf(QkDbVelaTone::desc()) ? pEnt->objectId() : AcDbObjectId::kNull;
            pEnt->close();
            // Registered once the note is closed again: registering opens it.
            if (!noteId.isNull()) AppendVelaTone(noteId, pDoc);
        }
        delete pEntities;
    }
}

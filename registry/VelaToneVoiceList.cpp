// The stored voice list: the named objects dictionary's entry "VELA_TONE", a
// dictionary holding the xrecord "VOICE_LIST", whose values are the handles of a
// document's registered notes as hexadecimal text in 102 groups, in list order
// (duplicates and handles of notes gone included). Saving replaces the values
// whole and writes nothing for a document without registered notes; reading
// registers every handle it finds, taking each value as a handle whatever its
// group code.
#include "VelaToneManager.h"

#include "DocVoiceList.h"

namespace {

const ACHAR* const kDictKey = _T("VELA_TONE");
const ACHAR* const kListKey = _T("VOICE_LIST");

// The handle a stored value names: handle text in a text group, or the handle
// of the object an object-id group names. False for a value that names none.
bool handleOfValue(const resbuf* pRb, AcDbHandle& handle)
{
    const int code = pRb->restype;
    const bool objectId = (code >= 330 && code <= 369) || (code >= 390 && code <= 399) || code == 480 || code == 481;
    if (objectId) {
        AcDbObjectId id;
        if (acdbGetObjectId(id, pRb->resval.rlname) != Acad::eOk) return false;
        handle = id.handle();
        return !handle.isNull();
    }
    const bool text = (code >= 0 && code <= 9) || (code >= 100 && code <= 102) || code == 105 ||
                      (code >= 300 && code <= 309) || (code >= 320 && code <= 329) || (code >= 410 && code <= 419) ||
                      (code >= 430 && code <= 439) || (code >= 470 && code <= 479) || code == 999 ||
                      (code >= 1000 && code <= 1003) || (code >= 1005 && code <= 1009);
    if (!text || pRb->resval.rstring == NULL) return false;
    handle = AcDbHandle(pRb->resval.rstring);
    return !handle.isNull();
}

}  // namespace

void VelaToneManager::CrtRbChain(resbuf*& pChain, AcDbDatabase* pDb, Adesk::Int32& count)
{
    DocVoiceList* pList = listOf(acDocManagerPtr()->document(pDb));
    if (pList == NULL || pList->m_Ids.isEmpty()) return;
    AcArray<AcDbObjectId> ids(pList->m_Ids);
    count = ids.length();
    resbuf* pTail = NULL;
    for (int i = 0; i < ids.length(); ++i) {
        ACHAR text[17] = {0};
        ids[i].handle().getIntoAsciiBuffer(text);
        resbuf* pValue = acutBuildList(102, text, RTNONE);
        if (pValue == NULL) continue;
        if (pTail == NULL)
            pChain = pValue;
        else
            pTail->rbnext = pValue;
        pTail = pValue;
    }
}

bool VelaToneManager::SaveVoiceHandle(AcDbDatabase* pDb)
{
    resbuf* pChain = NULL;
    Adesk::Int32 count = 0;
    CrtRbChain(pChain, pDb, count);
    if (count < 1 || pChain == NULL) {
        if (pChain != NULL) acutRelRb(pChain);
        return false;
    }

    AcDbDictionary* pNod = NULL;
    if (pDb->getNamedObjectsDictionary(pNod, AcDb::kForWrite) != Acad::eOk) {
        acutRelRb(pChain);
        return false;
    }
    AcDbDictionary* pVoiceDict = NULL;
    AcDbObject* pEntry = NULL;
    Acad::ErrorStatus es = pNod->getAt(kDictKey, pEntry, AcDb::kForWrite);
    if (es == Acad::eKeyNotFound) {
        pVoiceDict = new AcDbDictionary();
        AcDbObjectId dictId;
        if (pNod->setAt(kDictKey, pVoiceDict, dictId) != Acad::eOk) {
            delete pVoiceDict;
            pNod->close();
            acutRelRb(pChain);
            return false;
        }
    } else if (es == Acad::eOk) {
        pVoiceDict = AcDbDictionary::cast(pEntry);
        // An entry of that name that is no dictionary is not ours to write into.
        if (pVoiceDict == NULL) pEntry->close();
    }
    if (pVoiceDict == NULL) {
        pNod->close();
        acutRelRb(pChain);
        return false;
    }
    if (pNod->close() != Acad::eOk) {
        pVoiceDict->close();
        acutRelRb(pChain);
        return false;
    }

    bool written = false;
    if (pVoiceDict->has(kListKey)) {
        AcDbObject* pObj = NULL;
        if (pVoiceDict->getAt(kListKey, pObj, AcDb::kForWrite) == Acad::eOk) {
            if (AcDbXrecord* pList = AcDbXrecord::cast(pObj)) written = pList->setFromRbChain(*pChain) == Acad::eOk;
            pObj->close();
        }
    } else {
        AcDbXrecord* pList = new AcDbXrecord();
        AcDbObjectId listId;
        if (pVoiceDict->setAt(kListKey, pList, listId) == Acad::eOk) {
            written = pList->setFromRbChain(*pChain) == Acad::eOk;
            pList->close();
        } else {
            delete pList;
        }
    }
    acutRelRb(pChain);
    pVoiceDict->close();
    return written;
}

bool VelaToneManager::ReadVoiceHandle(AcApDocument* pDoc)
{
    AcDbDatabase* pDb = pDoc != NULL ? pDoc->database() : NULL;
    if (pDb == NULL) return false;
    AcDbDictionary* pNod = NULL;
    if (pDb->getNamedObjectsDictionary(pNod, AcDb::kForRead) != Acad::eOk) return false;
    AcDbObject* pEntry = NULL;
    if (pNod->getAt(kDictKey, pEntry, AcDb::kForRead) != Acad::eOk) {
        pNod->close();
        return false;
    }
    pNod->close();
    AcDbDictionary* pVoiceDict = AcDbDictionary::cast(pEntry);
    if (pVoiceDict == NULL) {
        pEntry->close();
        return false;
    }
    resbuf* pChain = NULL;
    AcDbObject* pObj = NULL;
    if (pVoiceDict->has(kListKey) && pVoiceDict->getAt(kListKey, pObj, AcDb::kForRead) == Acad::eOk) {
        if (AcDbXrecord* pList = AcDbXrecord::cast(pObj)) pList->rbChain(&pChain);
        pObj->close();
    }
    pVoiceDict->close();

    // A handle at or above the drawing's handle seed names nothing the drawing
    // ever held; asking for its id would move the seed, as far as the last
    // handle there is, and leave no handle for new objects.
    const AcDbHandle seed = pDb->handseed();
    AcArray<AcDbObjectId> ids(0, 8);
    for (const resbuf* pRb = pChain; pRb != NULL; pRb = pRb->rbnext) {
        AcDbHandle handle;
        if (!handleOfValue(pRb, handle) || !(handle < seed)) continue;
        AcDbObjectId id;
        pDb->getAcDbObjectId(id, true, handle, 0);
        ids.append(id);
    }
    if (pChain != NULL) acutRelRb(pChain);

    for (int i = 0; i < ids.length(); ++i) AppendVelaTone(ids[i], pDoc);
    return true;
}

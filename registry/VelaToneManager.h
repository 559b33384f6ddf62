// VelaToneManager: the one registry of voice notes. It knows, for every open
// document, which notes its drawing holds (a DocVoiceList per document with
// registered notes), regenerates and erases them, links object notes to the
// entities they are attached to, and stores each document's list in its drawing
// (the "VELA_TONE" dictionary's "VOICE_LIST" xrecord of handles) and reads it
// back when a drawing opens, so that no drawing is ever scanned for notes.
#pragma once
#include "StdAfx.h"

class DocVoiceList;
class QkDbVelaTone;

class VELATONE_EXPORT VelaToneManager {
public:
    // Reads the stored list of every open document.
    VelaToneManager();
    // Stores every open document's list in its drawing, drops every document
    // (with its monitor) and the tag window.
    virtual ~VelaToneManager();

    // Registers one note (the same id may stand in a list twice); the note
    // carries the shared object reactor from then on.
    void AppendVelaTone(AcDbObjectId id, AcApDocument* pDoc);
    // Registers every note of the document's layouts (a scan; not used when a
    // drawing opens).
    void AppendVelaTone(AcApDocument* pDoc);
    // Unregisters one note (its first place in the list); the last one takes
    // the document's list and monitor with it.
    void RemoveVelaTone(AcDbObjectId id, AcApDocument* pDoc);
    // Drops the document: every note loses the shared reactor.
    void RemoveVelaTone(AcApDocument* pDoc);
    // Appends the document's notes to ids, in list order.
    void GetAllObjects(AcArray<AcDbObjectId>& ids, AcApDocument* pDoc);
    // Draws the document's notes (true) or blanks them out (false) on screen.
    void ShowAllObjects(bool bShow, AcApDocument* pDoc);
    // Has the host draw again every note of the current space.
    void UpdateAll(AcApDocument* pDoc);
    // Erases a note (of the current document when pDoc is null); a note on a
    // locked layer stays, and the command line says so. Always true.
    bool EraseVelaTone(AcDbObjectId id, AcApDocument* pDoc);
    // Links an Object note to its entity through a persistent reactor object
    // kept in the note's extension dictionary, and undoes that link.
    bool addNotifier(QkDbVelaTone* pNote, AcDbObjectId attachedId);
    bool delNotifier(QkDbVelaTone* pNote, AcDbObjectId attachedId);

    // The stored list: written before a save, read when a drawing opens.
    bool SaveVoiceHandle(AcDbDatabase* pDb);
    bool ReadVoiceHandle(AcApDocument* pDoc);

private:
    VelaToneManager(const VelaToneManager&);
    VelaToneManager& operator=(const VelaToneManager&);

    // The document's list as a chain of 102 groups of handle text.
    void CrtRbChain(resbuf*& pChain, AcDbDatabase* pDb, Adesk::Int32& count);

    // One document's place in the map.
    struct DocEntry {
        AcApDocument* m_pDoc;
        // Null while the document has no registered note: as good as no entry.
        DocVoiceList* m_pList;
        // Notes unregistered from inside their own erasure: the shared reactor
        // cannot leave a note that is open for write, and it stays so that an
        // undo of the erasure is heard. It leaves them when the document is
        // dropped.
        AcArray<AcDbObjectId> m_ErasedCarriers;
    };
    // The entry of the document, or -1; entryFor makes one when there is none.
    int entryOf(AcApDocument* pDoc) const;
    int entryFor(AcApDocument* pDoc);
    DocVoiceList* listOf(AcApDocument* pDoc) const;
    // Deletes the document's list (and monitor); the entry goes when nothing is left in it.
    void dropList(int entry);

    // The map from document to its list, ordered by the document's address.
    AcArray<DocEntry> m_DocMap;
};

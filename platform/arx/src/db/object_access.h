// Platform-internal access to the private state of database objects: the open
// state bits, the stub links, and the rarely present extra data.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "dbdict.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "stub.h"

namespace arx {

// The open state of an object in a database: the readers count and eleven
// flags. The states and the calls that move between them:
//
//                 openStub(kForRead)                 openStub(kForWrite)
//     READ(n+1) <------------------- CLOSED -----------------------------> WRITE
//     READ(n)   -------------------> READ(n-1)      close() / cancel()
//                 close()                            WRITE ---------------> CLOSED
//     READ(1)   -------------------> WRITE          downgradeOpen()
//                 upgradeOpen()                      WRITE ---------------> READ(1)
//     any state ------------------> +NOTIFY         close() of a NOTIFY open
//                 openStub(kForNotify)               NOTIFY --------------> CLOSED
//     CLOSED    ------------------> FILING ------> CLOSED
//                 FilingScope (a reader building or reviving an object)
//
// Inside WRITE, assertWriteEnabled() marks the first change: it keeps the
// object's filing as an undo image (kStUndoImage), sends openedForModify once
// (kStOpenedForModifySent) and sets kStModified. close() sends modified (with
// kStNotify | kStNotifying set while it does) and clears every per-open flag;
// cancel() files the undo image back in under kStCancelling. ReadScope lets the
// host file an object out (saving, proxies) whatever its state.
//
// Invariants:
//  1. kStWrite and readers > 0 never hold together, but inside a ReadScope.
//  2. readers never exceeds 256; a further read open fails with eAtMaxReaders.
//  3. The per-open flags (kStModified, kStNew, kStGraphicsModified,
//     kStXDataModified, kStUndoImage, kStOpenedForModifySent) are set only
//     while kStWrite is, and close() and cancel() clear all of them.
//  4. kStNotifying implies kStNotify and holds only while close() notifies;
//     a write open is then refused with eWasNotifying.
//  5. An undo image is kept exactly while kStUndoImage is set.
//  6. kStNew (an object built in this open, by a reader or being appended)
//     keeps no undo image and sends neither openedForModify nor modified.
//  7. kStCancelling and kStUndoing hold only while an undo image is filed
//     back in; assertWriteEnabled() records nothing then.
//  8. An object outside any database (no stub) has no open state: it is
//     always read- and write-enabled.
//  9. kStGraphicsKept, like the per-open flags, lives only while kStWrite
//     does; a write close or cancel reports the change (object_change.h).
enum ObjectState : std::uint16_t {
    kStWrite = 1 << 0,                // open for write (or being filed in)
    kStNotify = 1 << 1,               // open for notify
    kStModified = 1 << 2,             // changed in this open
    kStNew = 1 << 3,                  // built in this open
    kStGraphicsModified = 1 << 4,     // its graphics changed in this open
    kStXDataModified = 1 << 5,        // its extended data changed in this open
    kStUndoImage = 1 << 6,            // the state before this open's first change is kept
    kStNotifying = 1 << 7,            // close() is sending modified
    kStCancelling = 1 << 8,           // cancel() is restoring the undo image
    kStOpenedForModifySent = 1 << 9,  // openedForModify went out in this open
    kStUndoing = 1 << 10,             // undo is replaying an image into it
    kStGraphicsKept = 1 << 11,        // recordGraphicsModified(false): its drawing stands as it is
};

// Groups of a known class that the class does not read, kept per subclass
// section and written back at the end of that section.
struct KeptSection {
    std::string subclass;  // "" for groups before the first subclass marker
    std::string tags;
};

struct ObjectExtra {
    ObjectExtra() = default;
    ObjectExtra(const ObjectExtra&) = delete;
    ObjectExtra& operator=(const ObjectExtra&) = delete;
    ~ObjectExtra() { delete reactors; }

    AcDbStub* xdict = nullptr;
    AcDbVoidPtrArray* reactors = nullptr;  // transient reactors and tagged persistent ones
    std::string xdata;  // extended data as DXF groups (1001 onwards)
    std::vector<KeptSection> kept;
    std::string undoImage;  // the object's state when it was first changed in this open
    bool undoErased = false;  // whether it was erased then
};

struct ObjectAccess {
    static AcDbStub* stub(const AcDbObject* o) { return o->mStub; }
    static void setStub(AcDbObject* o, AcDbStub* s) { o->mStub = s; }
    static AcDbStub*& owner(AcDbObject* o) { return o->mOwner; }
    static AcDbStub* owner(const AcDbObject* o) { return o->mOwner; }
    static AcDbStub* xdict(const AcDbObject* o) { return o->mExtra != nullptr ? o->mExtra->xdict : nullptr; }
    static void setXdict(AcDbObject* o, AcDbStub* dict)
    {
        if (dict != nullptr || o->mExtra != nullptr) extra(o).xdict = dict;
    }
    static std::uint16_t& state(AcDbObject* o) { return o->mState; }
    static std::uint16_t state(const AcDbObject* o) { return o->mState; }
    static std::uint16_t& readers(AcDbObject* o) { return o->mReaders; }
    static AcDbVoidPtrArray* reactors(const AcDbObject* o) { return o->mExtra != nullptr ? o->mExtra->reactors : nullptr; }
    // The object's reactor list, made when it has none.
    static AcDbVoidPtrArray& reactorList(const AcDbObject* o)
    {
        AcDbVoidPtrArray*& r = extra(o).reactors;
        if (r == nullptr) r = new AcDbVoidPtrArray(0, 4);
        return *r;
    }
    static void dropReactors(const AcDbObject* o)
    {
        if (o->mExtra == nullptr) return;
        delete o->mExtra->reactors;
        o->mExtra->reactors = nullptr;
    }
    static ObjectExtra* extraIfAny(const AcDbObject* o) { return o->mExtra; }
    static ObjectExtra& extra(const AcDbObject* o)
    {
        if (o->mExtra == nullptr) o->mExtra = new ObjectExtra();
        return *o->mExtra;
    }
    static void dropExtraIfEmpty(AcDbObject* o)
    {
        ObjectExtra* e = o->mExtra;
        if (e != nullptr && e->xdict == nullptr && e->reactors == nullptr && e->xdata.empty() && e->kept.empty() &&
            e->undoImage.empty()) {
            delete e;
            o->mExtra = nullptr;
        }
    }
    static AcDbStub*& layer(AcDbEntity* e) { return e->mLayer; }
    static AcDbStub*& linetype(AcDbEntity* e) { return e->mLinetype; }
    static std::vector<AcDbObjectId>& entities(AcDbBlockTableRecord* b) { return b->mEntities; }
    static std::vector<AcDbObjectId>& records(AcDbSymbolTable* t) { return t->mRecords; }
    static std::unique_ptr<SymbolNameIndex>& nameIndex(const AcDbSymbolTable* t) { return t->mNameIndex; }
    template <class Proxy>
    static auto& proxyDataOf(Proxy* p)
    {
        return p->mData;
    }
    static AcDbObjectId& blockBegin(AcDbBlockTableRecord* b) { return b->mBlockBegin; }
    static AcDbObjectId& blockEnd(AcDbBlockTableRecord* b) { return b->mBlockEnd; }
    static AcGePoint3d& blockOrigin(AcDbBlockTableRecord* b) { return b->mOrigin; }
    static Adesk::Int16& blockFlags(AcDbBlockTableRecord* b) { return b->mBlockFlags; }
    static AcString& symbolName(AcDbSymbolTableRecord* r) { return r->mName; }
    static std::vector<AcDbLinetypeTableRecord::Dash>& dashes(AcDbLinetypeTableRecord* r) { return r->mDashes; }
    static Adesk::Int16& symbolFlags(AcDbSymbolTableRecord* r) { return r->mFlags; }
    static AcDbDictionary::EntryMap& dictEntries(AcDbDictionary* d) { return d->mEntries; }
    static Acad::ErrorStatus subOpen(AcDbObject* o, AcDb::OpenMode mode) { return o->subOpen(mode); }
    // Reads an entity's own DXF section (layer, linetype, colour, ...) from where
    // the filer stands.
    static Acad::ErrorStatus readEntityGroups(AcDbEntity* e, AcDbDxfFiler* filer);
    // An object is closed when nobody has it open.
    static bool isClosed(const AcDbObject* o)
    {
        return o->mReaders == 0 && (o->mState & (kStWrite | kStNotify)) == 0;
    }
};

// The object behind a stub, building it first if it is still in the file being
// read. Null when there is no object.
AcDbObject* resolveStub(AcDbStub* stub);

// What dwgOut files before an object's fields (extended data, kept groups).
Acad::ErrorStatus writeObjectPrefix(const AcDbObject* obj, AcDbDwgFiler* filer);
Acad::ErrorStatus readObjectPrefix(AcDbObject* obj, AcDbDwgFiler* filer);
// Lets the host read an object whatever its open state: saving is the host's
// own business and happens between commands.
struct ReadScope {
    AcDbObject* obj;
    explicit ReadScope(AcDbObject* o) : obj(o) { ++ObjectAccess::readers(obj); }
    ~ReadScope() { --ObjectAccess::readers(obj); }
    ReadScope(const ReadScope&) = delete;
    ReadScope& operator=(const ReadScope&) = delete;
};

// A reader filing an object in: the object is write-enabled and new for the
// scope (so it keeps no undo image and notifies nobody), then back as it was.
struct FilingScope {
    AcDbObject* obj;
    std::uint16_t saved;
    explicit FilingScope(AcDbObject* o) : obj(o), saved(ObjectAccess::state(o))
    {
        ObjectAccess::state(o) = static_cast<std::uint16_t>(saved | kStWrite | kStNew);
    }
    ~FilingScope() { ObjectAccess::state(obj) = saved; }
    FilingScope(const FilingScope&) = delete;
    FilingScope& operator=(const FilingScope&) = delete;
};

// Kept groups of a section, written through a DXF filer.
void writeKeptGroups(AcDbDxfFiler* filer, const AcDbObject* obj, const char* subclass);
// Keeps the group the filer just read (the current one) under a section.
void keepCurrentGroup(AcDbDxfFiler* filer, AcDbObject* obj, const char* subclass);

}  // namespace arx

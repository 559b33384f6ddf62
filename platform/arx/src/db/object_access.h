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

enum ObjectState : std::uint16_t {
    kStWrite = 1 << 0,
    kStNotify = 1 << 1,
    kStModified = 1 << 2,
    kStNew = 1 << 3,
    kStGraphicsModified = 1 << 4,
    kStXDataModified = 1 << 5,
    kStUndoImage = 1 << 6,
    kStNotifying = 1 << 7,
    kStCancelling = 1 << 8,
    kStOpenedForModifySent = 1 << 9,
    kStUndoing = 1 << 10,
};

// Groups of a known class that the class does not read, kept per subclass
// section and written back at the end of that section.
struct KeptSection {
    std::string subclass;  // "" for groups before the first subclass marker
    std::string tags;
};

struct ObjectExtra {
    std::string xdata;  // extended data as DXF groups (1001 onwards)
    std::vector<KeptSection> kept;
    std::string undoImage;  // the object's state when it was first changed in this open
};

struct ObjectAccess {
    static AcDbStub* stub(const AcDbObject* o) { return o->mStub; }
    static void setStub(AcDbObject* o, AcDbStub* s) { o->mStub = s; }
    static AcDbStub*& owner(AcDbObject* o) { return o->mOwner; }
    static AcDbStub* owner(const AcDbObject* o) { return o->mOwner; }
    static AcDbStub*& xdict(AcDbObject* o) { return o->mXDict; }
    static std::uint16_t& state(AcDbObject* o) { return o->mState; }
    static std::uint16_t state(const AcDbObject* o) { return o->mState; }
    static std::uint16_t& readers(AcDbObject* o) { return o->mReaders; }
    static AcDbVoidPtrArray*& reactors(const AcDbObject* o) { return o->mReactors; }
    static ObjectExtra* extraIfAny(const AcDbObject* o) { return o->mExtra; }
    static ObjectExtra& extra(AcDbObject* o)
    {
        if (o->mExtra == nullptr) o->mExtra = new ObjectExtra();
        return *o->mExtra;
    }
    static void dropExtraIfEmpty(AcDbObject* o)
    {
        ObjectExtra* e = o->mExtra;
        if (e != nullptr && e->xdata.empty() && e->kept.empty() && e->undoImage.empty()) {
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
// Kept groups of a section, written through a DXF filer.
// Lets the host read an object whatever its open state: saving is the host's
// own business and happens between commands.
struct ReadScope {
    AcDbObject* obj;
    explicit ReadScope(AcDbObject* o) : obj(o) { ++ObjectAccess::readers(obj); }
    ~ReadScope() { --ObjectAccess::readers(obj); }
    ReadScope(const ReadScope&) = delete;
    ReadScope& operator=(const ReadScope&) = delete;
};

void writeKeptGroups(AcDbDxfFiler* filer, const AcDbObject* obj, const char* subclass);
// Keeps the group the filer just read (the current one) under a section.
void keepCurrentGroup(AcDbDxfFiler* filer, AcDbObject* obj, const char* subclass);

}  // namespace arx

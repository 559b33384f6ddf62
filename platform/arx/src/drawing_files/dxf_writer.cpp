// Writing a DXF file: HEADER, CLASSES, TABLES, BLOCKS, ENTITIES and OBJECTS, then
// the sections the host kept from the file it read. Objects file themselves
// through dxfOutFields; proxies write their groups back as they came.
#include <algorithm>
#include <map>

#include "dxf_writer.h"
#include "output_file.h"
#include "../core/tags.h"
#include "../core/utf.h"
#include "../db/database_impl.h"
#include "../db/object_access.h"
#include "../db/proxy.h"
#include "../db/symbols.h"
#include "../filers/dxf_out_filer.h"
#include "dbdict.h"
#include "dblayout.h"
#include "dbsymtb.h"
#include "sorttab.h"
#include "../core/hex.h"
#include "../core/generation.h"

namespace arx {
namespace {

struct WriteError {
    std::string message;
};

constexpr TableKind kTableOrder[] = {TableKind::kViewport, TableKind::kLinetype, TableKind::kLayer,
                                     TableKind::kTextStyle, TableKind::kView,     TableKind::kUCS,
                                     TableKind::kRegApp,    TableKind::kDimStyle, TableKind::kBlock};
constexpr const char* kTableNames[] = {"VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS", "APPID", "DIMSTYLE",
                                       "BLOCK_RECORD"};

std::string handleText(AcDbStub* s) { return hexHandle(s != nullptr ? s->handle : 0); }

class DxfWriter {
public:
    DxfWriter(AcDbDatabase* db, OutputFile& out, AcDb::AcDbDwgVersion version, int precision)
        : mDb(db), mImpl(implOf(db)), mOut(out), mText(out.buffer()), mVersion(version),
          mFiler(out.buffer(), db, version, precision)
    {
    }

    void run();

private:
    void header();
    void classes();
    void tables();
    void blocks();
    void entities();
    void objects();
    void object(AcDbObject* obj);
    void blockMarker(AcDbBlockTableRecord* btr, bool begin);
    std::wstring recordType(AcDbObject* obj) const;
    void flush()
    {
        if (!mOut.flush()) throw WriteError{mOut.error()};
    }

    AcDbDatabase* mDb;
    DatabaseImpl* mImpl;
    OutputFile& mOut;
    DxfText mText;
    AcDb::AcDbDwgVersion mVersion;
    DxfOutFiler mFiler;
    std::vector<ClassEntry> mClasses;
};

void DxfWriter::header()
{
    mText.text(0, "SECTION");
    mText.text(2, "HEADER");
    mText.text(9, "$ACADVER");
    mText.text(1, dxfVersionText(mVersion));
    bool codepage = false;
    for (const HeaderVariable& v : mImpl->header) {
        if (v.name == "$DWGCODEPAGE") codepage = true;
        mText.text(9, v.name);
        writeTagStore(mText, v.tags);
    }
    if (!codepage) {
        mText.text(9, "$DWGCODEPAGE");
        mText.text(3, "ANSI_1252");
    }
    // Always the largest handle plus one, whatever the file that was read said.
    mText.text(9, "$HANDSEED");
    mText.handle(5, mImpl->handseed());
    mText.text(0, "ENDSEC");
}

// The class entries: those the drawing came with, then one for every other
// class of the drawing's objects that files under its own DXF name.
void DxfWriter::classes()
{
    mClasses = mImpl->classes;
    std::map<std::wstring, int> counts;
    // Records name their class by DXF name, so one entry serves a DXF name;
    // proxy records name theirs by number, so a proxy's class that shares its
    // DXF name with another class gets an entry of its own.
    auto entryFor = [&](const std::wstring& dxf, const std::wstring* cpp) -> ClassEntry* {
        for (ClassEntry& e : mClasses)
            if (e.dxfName == dxf && (cpp == nullptr || e.cppName == *cpp)) return &e;
        return nullptr;
    };
    mImpl->forEachStub([&](AcDbStub* s) {
        AcDbObject* obj = s->object;
        if (obj == nullptr || (s->flags & AcDbStub::kErased) != 0) return;
        ClassEntry e;
        bool byNumber = false;
        if (ProxyData* d = proxyData(obj)) {
            byNumber = d->form == ProxyData::Form::kBinary;
            if (d->cls.className.empty()) return;  // an entity type the host does not know: no class of its own
            e.dxfName = d->cls.dxfName;
            e.cppName = d->cls.className;
            e.appName = d->cls.appName;
            e.proxyFlags = d->cls.proxyFlags;
            e.wasProxy = true;
            e.isEntity = d->cls.isEntity;
        } else {
            const AcRxClass* cls = obj->isA();
            // Classes with an application name come from modules; the host's
            // own classes that DXF readers expect in the list are named here.
            bool listed = cls->appName() != nullptr || cls == AcDbLayout::desc() || cls == AcDbSortentsTable::desc();
            if (!listed || cls->dxfName() == nullptr) return;
            e.dxfName = cls->dxfName();
            e.cppName = cls->name();
            e.appName = cls->appName() != nullptr ? cls->appName() : L"ObjectDBX Classes";
            e.proxyFlags = cls->proxyFlags();
            e.isEntity = cls->isDerivedFrom(AcDbEntity::desc());
        }
        ++counts[e.dxfName];
        if (entryFor(e.dxfName, byNumber ? &e.cppName : nullptr) == nullptr) mClasses.push_back(e);
    });
    mText.text(0, "SECTION");
    mText.text(2, "CLASSES");
    for (ClassEntry& e : mClasses) {
        auto n = counts.find(e.dxfName);
        if (n != counts.end()) e.instanceCount = n->second;
        mText.text(0, "CLASS");
        mText.wide(1, e.dxfName);
        mText.wide(2, e.cppName);
        mText.wide(3, e.appName);
        mText.integer(90, e.proxyFlags);
        mText.integer(91, e.instanceCount);
        mText.integer(280, e.wasProxy ? 1 : 0);
        mText.integer(281, e.isEntity ? 1 : 0);
    }
    mText.text(0, "ENDSEC");
    mFiler.setClasses(&mClasses);
}

std::wstring DxfWriter::recordType(AcDbObject* obj) const
{
    if (ProxyData* d = proxyData(obj)) {
        if (d->form == ProxyData::Form::kDxf) return d->recordName.empty() ? d->cls.dxfName : d->recordName;
        return AcDbEntity::cast(obj) != nullptr ? L"ACAD_PROXY_ENTITY" : L"ACAD_PROXY_OBJECT";
    }
    const ACHAR* name = obj->isA()->dxfName();
    if (name == nullptr)
        throw WriteError{"an object of class " + toUtf8(obj->isA()->name()) + " (handle " +
                         handleText(ObjectAccess::stub(obj)) + ") has no DXF name"};
    return name;
}

void DxfWriter::object(AcDbObject* obj)
{
    ReadScope scope(obj);
    mText.wide(0, recordType(obj));
    mFiler.resetFilerStatus();
    Acad::ErrorStatus es = obj->dxfOut(&mFiler);
    if (es != Acad::eOk) {
        std::string why = mFiler.errorMessage() != nullptr && *mFiler.errorMessage() != 0
                              ? toUtf8(mFiler.errorMessage())
                              : toUtf8(acadErrorStatusText(es));
        throw WriteError{toUtf8(obj->isA()->name()) + " (handle " + handleText(ObjectAccess::stub(obj)) +
                         ") could not be written: " + why};
    }
    flush();
}

void DxfWriter::tables()
{
    mText.text(0, "SECTION");
    mText.text(2, "TABLES");
    for (size_t k = 0; k < std::size(kTableOrder); ++k) {
        auto* table = AcDbSymbolTable::cast(resolveStub(mImpl->table(kTableOrder[k])));
        if (table == nullptr) continue;
        mText.text(0, "TABLE");
        mText.text(2, kTableNames[k]);
        {
            ReadScope scope(table);
            mFiler.resetFilerStatus();
            table->dxfOut(&mFiler);
        }
        for (const AcDbObjectId& id : ObjectAccess::records(table)) {
            AcDbObject* rec = resolveStub(id);
            if (rec == nullptr || id.isErased()) continue;
            object(rec);
        }
        mText.text(0, "ENDTAB");
    }
    mText.text(0, "ENDSEC");
}

void DxfWriter::blockMarker(AcDbBlockTableRecord* btr, bool begin)
{
    AcDbStub* self = ObjectAccess::stub(btr);
    AcDbStub* marker = begin ? static_cast<AcDbStub*>(ObjectAccess::blockBegin(btr))
                             : static_cast<AcDbStub*>(ObjectAccess::blockEnd(btr));
    if (marker == nullptr)
        throw WriteError{"block " + toUtf8(symbolName(self, L"?")) + " has no handle for its " +
                         (begin ? "BLOCK" : "ENDBLK") + " record"};
    mText.text(0, begin ? "BLOCK" : "ENDBLK");
    mText.handle(5, marker->handle);
    mText.handle(330, self->handle);
    // The groups a read drawing gave the record are written back as they came.
    if (const ObjectExtra* e = ObjectAccess::extraIfAny(btr))
        for (const KeptSection& k : e->kept)
            if (k.subclass == (begin ? "BLOCK" : "ENDBLK")) {
                writeTagStore(mText, k.tags);
                return;
            }
    bool paper = isPaperSpaceOwner(AcDbObjectId(self));
    mText.text(100, "AcDbEntity");
    if (paper) mText.integer(67, 1);
    mText.text(8, "0");
    if (begin) {
        std::wstring name = symbolName(self, L"");
        const AcGePoint3d& o = ObjectAccess::blockOrigin(btr);
        mText.text(100, "AcDbBlockBegin");
        mText.wide(2, name);
        mText.integer(70, ObjectAccess::blockFlags(btr));
        mText.point(10, o.x, o.y, o.z);
        mText.wide(3, name);
        mText.text(1, "");
    } else {
        mText.text(100, "AcDbBlockEnd");
    }
}

static bool isSpace(AcDbStub* btr)
{
    std::wstring name = symbolName(btr, L"");
    return equalsNoCase(name, ACDB_MODEL_SPACE) || equalsNoCase(name, ACDB_PAPER_SPACE);
}

void DxfWriter::blocks()
{
    mText.text(0, "SECTION");
    mText.text(2, "BLOCKS");
    auto* table = AcDbSymbolTable::cast(resolveStub(mImpl->table(TableKind::kBlock)));
    if (table != nullptr)
        for (const AcDbObjectId& id : ObjectAccess::records(table)) {
            auto* btr = AcDbBlockTableRecord::cast(resolveStub(id));
            if (btr == nullptr || id.isErased()) continue;
            blockMarker(btr, true);
            if (!isSpace(id))
                for (const AcDbObjectId& e : ObjectAccess::entities(btr))
                    if (AcDbObject* ent = resolveStub(e); ent != nullptr && !e.isErased()) object(ent);
            blockMarker(btr, false);
        }
    mText.text(0, "ENDSEC");
}

void DxfWriter::entities()
{
    mText.text(0, "SECTION");
    mText.text(2, "ENTITIES");
    for (AcDbObjectId space : {mDb->modelSpaceId(), mDb->paperSpaceId()}) {
        auto* btr = AcDbBlockTableRecord::cast(resolveStub(space));
        if (btr == nullptr) continue;
        for (const AcDbObjectId& e : ObjectAccess::entities(btr))
            if (AcDbObject* ent = resolveStub(e); ent != nullptr && !e.isErased()) object(ent);
    }
    mText.text(0, "ENDSEC");
}

void DxfWriter::objects()
{
    mText.text(0, "SECTION");
    mText.text(2, "OBJECTS");
    AcDbStub* nod = mImpl->nod();
    if (AcDbObject* root = resolveStub(nod)) object(root);
    std::vector<AcDbStub*> rest;
    mImpl->forEachStub([&](AcDbStub* s) {
        AcDbObject* obj = s->object;
        if (obj == nullptr || s == nod || (s->flags & AcDbStub::kErased) != 0) return;
        if (AcDbEntity::cast(obj) != nullptr || AcDbSymbolTable::cast(obj) != nullptr ||
            AcDbSymbolTableRecord::cast(obj) != nullptr)
            return;
        rest.push_back(s);
    });
    std::sort(rest.begin(), rest.end(), [](AcDbStub* a, AcDbStub* b) { return a->handle < b->handle; });
    for (AcDbStub* s : rest) object(s->object);
    mText.text(0, "ENDSEC");
}

void DxfWriter::run()
{
    header();
    classes();
    tables();
    blocks();
    entities();
    objects();
    for (const KeptFileSection& k : mImpl->extraSections) {
        mText.text(0, "SECTION");
        mText.text(2, k.name);
        writeTagStore(mText, k.tags);
        mText.text(0, "ENDSEC");
    }
    mText.text(0, "EOF");
}

}  // namespace

bool writeDxfFile(AcDbDatabase* db, OutputFile& out, AcDb::AcDbDwgVersion version, int precision, std::string& error)
{
    try {
        DxfWriter writer(db, out, version, precision);
        writer.run();
        return true;
    } catch (const WriteError& e) {
        error = e.message;
        return false;
    }
}

}  // namespace arx

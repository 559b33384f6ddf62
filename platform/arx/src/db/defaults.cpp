// Building what every drawing has, directly in the id table rather than through
// the open protocol: the host does it while no program can see the drawing.
#include "defaults.h"

#include "database_impl.h"
#include "dbdict.h"
#include "dblayout.h"
#include "dbsymtb.h"
#include "object_access.h"
#include "symbols.h"
#include "../core/tags.h"
#include "../core/utf.h"

namespace arx {

AcDbStub* addDirect(AcDbDatabase* db, AcDbObject* obj, AcDbStub* owner)
{
    AcDbObjectId id;
    if (implOf(db)->addNew(obj, id) != Acad::eOk) {
        delete obj;
        return nullptr;
    }
    ObjectAccess::owner(obj) = owner;
    obj->close();
    return id;
}

namespace {

AcDbSymbolTable* newTable(TableKind kind)
{
    switch (kind) {
    case TableKind::kViewport: return new AcDbViewportTable();
    case TableKind::kLinetype: return new AcDbLinetypeTable();
    case TableKind::kLayer: return new AcDbLayerTable();
    case TableKind::kTextStyle: return new AcDbTextStyleTable();
    case TableKind::kView: return new AcDbViewTable();
    case TableKind::kUCS: return new AcDbUCSTable();
    case TableKind::kRegApp: return new AcDbRegAppTable();
    case TableKind::kDimStyle: return new AcDbDimStyleTable();
    case TableKind::kBlock: return new AcDbBlockTable();
    case TableKind::kCount: break;
    }
    return nullptr;
}

bool hasRecord(AcDbDatabase* db, TableKind kind, const wchar_t* name)
{
    AcDbObjectId id;
    return findSymbol(db, kind, name, id) == Acad::eOk;
}

// Adds a record with the groups a new drawing's record of that kind carries.
AcDbStub* addRecord(AcDbDatabase* db, TableKind kind, const wchar_t* name,
                    std::initializer_list<std::pair<int, const char*>> kept = {}, const char* section = nullptr)
{
    AcDbSymbolTableRecord* rec = nullptr;
    switch (kind) {
    case TableKind::kViewport: rec = new AcDbViewportTableRecord(); break;
    case TableKind::kLinetype: rec = new AcDbLinetypeTableRecord(); break;
    case TableKind::kLayer: rec = new AcDbLayerTableRecord(); break;
    case TableKind::kTextStyle: rec = new AcDbTextStyleTableRecord(); break;
    case TableKind::kRegApp: rec = new AcDbRegAppTableRecord(); break;
    case TableKind::kDimStyle: rec = new AcDbDimStyleTableRecord(); break;
    case TableKind::kBlock: rec = new AcDbBlockTableRecord(); break;
    default: return nullptr;
    }
    ObjectAccess::symbolName(rec) = name;
    if (kept.size() > 0 && section != nullptr) {
        KeptSection k{section, {}};
        for (const auto& [code, value] : kept) addText(k.tags, code, value);
        ObjectAccess::extra(rec).kept.push_back(std::move(k));
    }
    return addSymbolRecord(db, kind, rec);
}

AcDbDictionary* dictAt(AcDbStub* stub) { return AcDbDictionary::cast(resolveStub(stub)); }

AcDbStub* entryOf(AcDbDictionary* dict, const wchar_t* key)
{
    auto& entries = ObjectAccess::dictEntries(dict);
    auto it = entries.find(AcString(key));
    return it == entries.end() || it->second.isErased() ? nullptr : static_cast<AcDbStub*>(it->second);
}

AcDbStub* ensureDictionaryEntry(AcDbDatabase* db, AcDbDictionary* parent, const wchar_t* key)
{
    if (AcDbStub* s = entryOf(parent, key)) return s;
    auto* dict = new AcDbDictionary();
    AcDbStub* s = addDirect(db, dict, ObjectAccess::stub(parent));
    ObjectAccess::dictEntries(parent)[AcString(key)] = s;
    return s;
}

// A layout for a space block that has none.
void ensureLayout(AcDbDatabase* db, AcDbDictionary* layouts, AcDbStub* blockStub, const wchar_t* name, int tab)
{
    auto* btr = AcDbBlockTableRecord::cast(resolveStub(blockStub));
    if (btr == nullptr) return;
    AcDbObjectId layoutId = btr->getLayoutId();
    if (!layoutId.isNull() && AcDbLayout::cast(resolveStub(layoutId)) != nullptr) return;
    auto* layout = new AcDbLayout();
    AcDbObjectId id;
    implOf(db)->addNew(layout, id);
    ObjectAccess::owner(layout) = ObjectAccess::stub(layouts);
    layout->setLayoutName(name);
    layout->setTabOrder(tab);
    layout->setBlockTableRecordId(blockStub);
    layout->close();
    ObjectAccess::dictEntries(layouts)[AcString(name)] = id;
    std::uint16_t& st = ObjectAccess::state(btr);
    st |= kStWrite | kStNew;
    btr->setLayoutId(id);
    st &= static_cast<std::uint16_t>(~(kStWrite | kStNew));
}

}  // namespace

void ensureBlockMarkers(AcDbDatabase* db, AcDbBlockTableRecord* btr)
{
    if (ObjectAccess::blockBegin(btr).isNull()) ObjectAccess::blockBegin(btr) = implOf(db)->allocate();
    if (ObjectAccess::blockEnd(btr).isNull()) ObjectAccess::blockEnd(btr) = implOf(db)->allocate();
}

void ensureSymbolTables(AcDbDatabase* db)
{
    DatabaseImpl* impl = implOf(db);
    for (int k = 0; k < static_cast<int>(TableKind::kCount); ++k) {
        auto kind = static_cast<TableKind>(k);
        if (AcDbSymbolTable::cast(resolveStub(impl->table(kind))) == nullptr)
            impl->setTable(kind, addDirect(db, newTable(kind), nullptr));
    }
}

void completeDrawing(AcDbDatabase* db)
{
    DatabaseImpl* impl = implOf(db);
    ensureSymbolTables(db);
    if (!hasRecord(db, TableKind::kViewport, L"*Active"))
        addRecord(db, TableKind::kViewport, L"*Active",
                  {{10, "0.0"}, {20, "0.0"}, {11, "1.0"}, {21, "1.0"}, {12, "0.0"}, {22, "0.0"}, {13, "0.0"},
                   {23, "0.0"}, {14, "0.5"}, {24, "0.5"}, {15, "0.5"}, {25, "0.5"}, {16, "0.0"}, {26, "0.0"},
                   {36, "1.0"}, {17, "0.0"}, {27, "0.0"}, {37, "0.0"}, {40, "10.0"}, {41, "1.5"}, {42, "50.0"},
                   {43, "0.0"}, {44, "0.0"}, {50, "0.0"}, {51, "0.0"}, {71, "0"}, {72, "100"}, {73, "1"},
                   {74, "3"}, {75, "0"}, {76, "0"}, {77, "0"}, {78, "0"}},
                  "AcDbViewportTableRecord");
    for (const wchar_t* lt : {L"ByBlock", L"ByLayer", L"Continuous"})
        if (!hasRecord(db, TableKind::kLinetype, lt)) {
            AcDbStub* s = addRecord(db, TableKind::kLinetype, lt);
            if (std::wstring_view(lt) == L"Continuous") {
                auto* rec = AcDbLinetypeTableRecord::cast(resolveStub(s));
                std::uint16_t& st = ObjectAccess::state(rec);
                st |= kStWrite | kStNew;
                rec->setComments(L"Solid line");
                st &= static_cast<std::uint16_t>(~(kStWrite | kStNew));
            }
        }
    if (!hasRecord(db, TableKind::kLayer, L"0")) {
        AcDbStub* s = addRecord(db, TableKind::kLayer, L"0");
        auto* layer = AcDbLayerTableRecord::cast(resolveStub(s));
        std::uint16_t& st = ObjectAccess::state(layer);
        st |= kStWrite | kStNew;
        layer->setLinetypeObjectId(db->continuousLinetype());
        st &= static_cast<std::uint16_t>(~(kStWrite | kStNew));
    }
    if (!hasRecord(db, TableKind::kTextStyle, L"Standard"))
        addRecord(db, TableKind::kTextStyle, L"Standard",
                  {{40, "0.0"}, {41, "1.0"}, {50, "0.0"}, {71, "0"}, {42, "2.5"}, {3, "txt"}, {4, ""}},
                  "AcDbTextStyleTableRecord");
    if (!hasRecord(db, TableKind::kRegApp, L"ACAD")) addRecord(db, TableKind::kRegApp, L"ACAD");
    if (!hasRecord(db, TableKind::kDimStyle, L"Standard")) addRecord(db, TableKind::kDimStyle, L"Standard");
    for (const wchar_t* space : {ACDB_MODEL_SPACE, ACDB_PAPER_SPACE})
        if (!hasRecord(db, TableKind::kBlock, space)) addRecord(db, TableKind::kBlock, space);
    // Every block needs the handles of its BLOCK and ENDBLK records.
    if (auto* blocks = AcDbSymbolTable::cast(resolveStub(impl->table(TableKind::kBlock))))
        for (const AcDbObjectId& id : ObjectAccess::records(blocks))
            if (auto* btr = AcDbBlockTableRecord::cast(resolveStub(id))) ensureBlockMarkers(db, btr);

    if (dictAt(impl->nod()) == nullptr) {
        auto* nod = new AcDbDictionary();
        impl->setNod(addDirect(db, nod, nullptr));
    }
    AcDbDictionary* nod = dictAt(impl->nod());
    ensureDictionaryEntry(db, nod, L"ACAD_GROUP");
    AcDbDictionary* layouts = dictAt(ensureDictionaryEntry(db, nod, L"ACAD_LAYOUT"));
    if (layouts != nullptr) {
        ensureLayout(db, layouts, db->modelSpaceId(), L"Model", 0);
        ensureLayout(db, layouts, db->paperSpaceId(), L"Layout1", 1);
    }
}

void buildDefaultDrawing(AcDbDatabase* db)
{
    completeDrawing(db);
    DatabaseImpl* impl = implOf(db);
    impl->setHeaderText("$DWGCODEPAGE", 3, "ANSI_1252");
    impl->setHeaderText("$CLAYER", 8, "0");
    impl->setHeaderInt("$TILEMODE", 70, 1);
    impl->setHeaderInt("$INSUNITS", 70, 0);
}

}  // namespace arx

// Containers: symbol tables (layers, linetypes from .lin files, blocks), block
// iteration, layouts and the current space, the named objects dictionary,
// dictionaries, xrecords with resbuf chains, and the draw order table.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

AcDbObjectId addLayer(AcDbDatabase& db, const ACHAR* name)
{
    AcDbObjectId id;
    Opened<AcDbLayerTable> layers(db.layerTableId(), AcDb::kForWrite);
    auto* layer = new AcDbLayerTableRecord();
    EXPECT_EQ(layer->setName(name), Acad::eOk);
    EXPECT_EQ(layers->add(id, layer), Acad::eOk);
    layer->close();
    return id;
}

TEST(SymbolTables, NewDrawingHasTheStandardRecords)
{
    AcDbDatabase db;
    Opened<AcDbLayerTable> layers(db.layerTableId());
    EXPECT_TRUE(layers->has(L"0"));
    Opened<AcDbLinetypeTable> ltypes(db.linetypeTableId());
    for (const ACHAR* n : {L"ByLayer", L"ByBlock", L"Continuous"}) EXPECT_TRUE(ltypes->has(n)) << n;
    EXPECT_FALSE(db.continuousLinetype().isNull());
    Opened<AcDbBlockTable> blocks(db.blockTableId());
    EXPECT_TRUE(blocks->has(ACDB_MODEL_SPACE));
    EXPECT_TRUE(blocks->has(ACDB_PAPER_SPACE));
    EXPECT_FALSE(db.modelSpaceId().isNull());
    EXPECT_FALSE(db.paperSpaceId().isNull());
    EXPECT_EQ(db.currentSpaceId(), db.modelSpaceId());
    for (AcDbObjectId t : {db.textStyleTableId(), db.viewportTableId(), db.viewTableId(), db.UCSTableId(),
                           db.regAppTableId(), db.dimStyleTableId(), db.namedObjectsDictionaryId()})
        EXPECT_FALSE(t.isNull());
}

TEST(SymbolTables, LayersAreFoundWithoutRegardToCaseAndNamesAreUnique)
{
    AcDbDatabase db;
    AcDbObjectId walls = addLayer(db, L"Walls");
    Opened<AcDbLayerTable> layers(db.layerTableId(), AcDb::kForWrite);
    AcDbObjectId found;
    EXPECT_EQ(layers->getAt(L"WALLS", found), Acad::eOk);
    EXPECT_EQ(found, walls);
    EXPECT_EQ(layers->getAt(L"nothing", found), Acad::eKeyNotFound);
    auto* dup = new AcDbLayerTableRecord();
    dup->setName(L"walls");
    EXPECT_EQ(layers->add(dup), Acad::eDuplicateRecordName);
    delete dup;
    auto* bad = new AcDbLayerTableRecord();
    EXPECT_EQ(bad->setName(L"a<b"), Acad::eInvalidSymbolTableName);
    EXPECT_EQ(bad->setName(L""), Acad::eInvalidInput);
    delete bad;
    AcDbLayerTableRecord* rec = nullptr;
    ASSERT_EQ(layers->getAt(L"walls", rec, AcDb::kForRead), Acad::eOk);
    AcString name;
    rec->getName(name);
    EXPECT_EQ(name, L"Walls");
    rec->close();
}

// Lookups by name follow renames, cancelled renames, erasing and a name
// taken again after its record was erased, however many records there are.
TEST(SymbolTables, LookupsByNameFollowRenamesAndErasing)
{
    AcDbDatabase db;
    for (int i = 0; i < 2000; ++i) addLayer(db, (L"L" + std::to_wstring(i)).c_str());
    AcDbObjectId walls = addLayer(db, L"Walls");
    auto find = [&](const ACHAR* name, bool erasedToo = false) {
        Opened<AcDbLayerTable> layers(db.layerTableId());
        AcDbObjectId id;
        layers->getAt(name, id, erasedToo);
        return id;
    };
    EXPECT_EQ(find(L"l1999"), find(L"L1999"));
    EXPECT_FALSE(find(L"L1999").isNull());
    EXPECT_EQ(find(L"walls"), walls);
    {
        Opened<AcDbLayerTableRecord> rec(walls, AcDb::kForWrite);
        ASSERT_EQ(rec->setName(L"Doors"), Acad::eOk);
    }
    EXPECT_TRUE(find(L"Walls").isNull());
    EXPECT_EQ(find(L"DOORS"), walls);
    // A rename that is cancelled gives the record its old name back.
    AcDbLayerTableRecord* rec = nullptr;
    ASSERT_EQ(acdbOpenObject(rec, walls, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(rec->setName(L"Windows"), Acad::eOk);
    EXPECT_EQ(find(L"Windows"), walls);
    rec->cancel();
    EXPECT_TRUE(find(L"Windows").isNull());
    EXPECT_EQ(find(L"Doors"), walls);
    // An erased record is found only when asked for; its name can be taken again.
    {
        Opened<AcDbLayerTableRecord> doors(walls, AcDb::kForWrite);
        ASSERT_EQ(doors->erase(), Acad::eOk);
    }
    EXPECT_TRUE(find(L"Doors").isNull());
    EXPECT_EQ(find(L"Doors", true), walls);
    AcDbObjectId again = addLayer(db, L"doors");
    EXPECT_EQ(find(L"Doors"), again);
    EXPECT_EQ(find(L"Doors", true), walls);  // the first in the table's order
}

TEST(SymbolTables, LayerOffFrozenLocked)
{
    AcDbDatabase db;
    AcDbObjectId id = addLayer(db, L"States");
    {
        Opened<AcDbLayerTableRecord> layer(id, AcDb::kForWrite);
        EXPECT_FALSE(layer->isOff());
        EXPECT_FALSE(layer->isFrozen());
        EXPECT_FALSE(layer->isLocked());
        layer->setIsOff(true);
        layer->setIsFrozen(true);
        layer->setIsLocked(true);
        AcCmColor c;
        c.setColorIndex(5);
        layer->setColor(c);
    }
    TempDir dir;
    for (const char* name : {"a.dxf", "a.dwg"}) {
        save(db, dir.file(name));
        AcDbDatabase back(false, true);
        open(back, dir.file(name));
        Opened<AcDbLayerTable> layers(back.layerTableId());
        AcDbLayerTableRecord* rec = nullptr;
        ASSERT_EQ(layers->getAt(L"States", rec, AcDb::kForRead), Acad::eOk);
        EXPECT_TRUE(rec->isOff()) << name;
        EXPECT_TRUE(rec->isFrozen()) << name;
        EXPECT_TRUE(rec->isLocked()) << name;
        EXPECT_EQ(rec->color().colorIndex(), 5) << name;
        rec->close();
    }
}

TEST(SymbolTables, IteratorWalksBothWaysAndSkipsErased)
{
    AcDbDatabase db;
    AcDbObjectId a = addLayer(db, L"A"), b = addLayer(db, L"B"), c = addLayer(db, L"C");
    {
        Opened<AcDbLayerTableRecord> rec(b, AcDb::kForWrite);
        rec->erase();
    }
    Opened<AcDbLayerTable> layers(db.layerTableId());
    AcDbSymbolTableIterator* it = nullptr;
    ASSERT_EQ(layers->newIterator(it), Acad::eOk);
    std::vector<AcDbObjectId> seen;
    for (; !it->done(); it->step()) {
        AcDbObjectId id;
        ASSERT_EQ(it->getRecordId(id), Acad::eOk);
        seen.push_back(id);
    }
    EXPECT_EQ(seen.size(), 3u);  // "0", A, C
    EXPECT_EQ(seen[1], a);
    EXPECT_EQ(seen[2], c);
    AcDbObjectId dummy;
    EXPECT_EQ(it->getRecordId(dummy), Acad::eIteratorDone);
    it->start(false, false);
    AcDbObjectId last;
    it->getRecordId(last);
    EXPECT_EQ(last, c);
    it->step(false, false);
    it->getRecordId(last);
    EXPECT_EQ(last, b);  // erased, not skipped
    delete it;
    EXPECT_FALSE(layers->has(L"B"));
}

TEST(Linetypes, LoadedFromALinetypeFile)
{
    TempDir dir;
    writeText(dir.file("test.lin"),
              ";; test linetypes\n"
              "*DASHED,Dashed __ __ __\n"
              "A,.5,-.25\n"
              "*GAS_LINE,Gas line ----GAS----GAS----\n"
              "A,.5,-.2,[\"GAS\",STANDARD,S=.1,R=0.0,X=-0.1,Y=-.05],-.25\r\n"
              "*DOT,Dots\n"
              "A,0,-.25\n");
    AcDbDatabase db;
    const std::wstring lin = dir.wfile("test.lin");
    ASSERT_EQ(db.loadLineTypeFile(L"DASHED", lin.c_str()), Acad::eOk) << arxhost::lastError();
    EXPECT_EQ(db.loadLineTypeFile(L"DASHED", lin.c_str()), Acad::eDuplicateRecordName);
    EXPECT_EQ(db.loadLineTypeFile(L"NOSUCH", lin.c_str()), Acad::eKeyNotFound);
    ASSERT_EQ(db.loadLineTypeFile(L"*", lin.c_str()), Acad::eOk);
    EXPECT_EQ(db.loadLineTypeFile(L"DASHED", L"/nonexistent/x.lin"), Acad::eFileNotFound);

    Opened<AcDbLinetypeTable> ltypes(db.linetypeTableId());
    AcDbLinetypeTableRecord* dashed = nullptr;
    ASSERT_EQ(ltypes->getAt(L"dashed", dashed, AcDb::kForRead), Acad::eOk);
    const ACHAR* comments = nullptr;
    dashed->comments(comments);
    EXPECT_STREQ(comments, L"Dashed __ __ __");
    ASSERT_EQ(dashed->numDashes(), 2);
    EXPECT_DOUBLE_EQ(dashed->dashLengthAt(0), 0.5);
    EXPECT_DOUBLE_EQ(dashed->dashLengthAt(1), -0.25);
    EXPECT_DOUBLE_EQ(dashed->patternLength(), 0.75);
    dashed->close();
    AcDbLinetypeTableRecord* gas = nullptr;
    ASSERT_EQ(ltypes->getAt(L"GAS_LINE", gas, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(gas->numDashes(), 4);
    EXPECT_STREQ(gas->textAt(2), L"GAS");
    EXPECT_STREQ(gas->textAt(0), L"");
    gas->close();
    EXPECT_TRUE(ltypes->has(L"DOT"));

    // The linetypes go to both files and come back.
    for (const char* name : {"l.dxf", "l.dwg"}) {
        save(db, dir.file(name));
        AcDbDatabase back(false, true);
        open(back, dir.file(name));
        Opened<AcDbLinetypeTable> t(back.linetypeTableId());
        AcDbLinetypeTableRecord* rec = nullptr;
        ASSERT_EQ(t->getAt(L"GAS_LINE", rec, AcDb::kForRead), Acad::eOk) << name;
        ASSERT_EQ(rec->numDashes(), 4) << name;
        EXPECT_STREQ(rec->textAt(2), L"GAS") << name;
        EXPECT_NEAR(rec->dashLengthAt(3), -0.25, 1e-12) << name;
        rec->close();
    }
}

TEST(Linetypes, BadLinetypeFilesAreRefusedWithTheirLine)
{
    TempDir dir;
    writeText(dir.file("bad.lin"), "*GOOD,fine\nA,.5,-.25\n*BAD,broken\nA,.5,oops\n");
    AcDbDatabase db;
    EXPECT_EQ(db.loadLineTypeFile(L"*", dir.wfile("bad.lin").c_str()), Acad::eInvalidInput);
    EXPECT_NE(arxhost::lastError().find("line 4"), std::string::npos) << arxhost::lastError();
    Opened<AcDbLinetypeTable> ltypes(db.linetypeTableId());
    EXPECT_FALSE(ltypes->has(L"GOOD"));  // nothing of a bad file is loaded
}

TEST(Blocks, ModelPaperAndOtherBlocksWithTheirEntities)
{
    AcDbDatabase db;
    AcDbObjectId blockId;
    {
        Opened<AcDbBlockTable> blocks(db.blockTableId(), AcDb::kForWrite);
        auto* block = new AcDbBlockTableRecord();
        ASSERT_EQ(block->setName(L"DOOR"), Acad::eOk);
        block->setOrigin({1, 2, 0});
        ASSERT_EQ(blocks->add(blockId, block), Acad::eOk);
        block->close();
    }
    AcDbObjectId inBlock = appendTo(blockId, new AcDbCircle({0, 0, 0}, {0, 0, 1}, 1.5));
    AcDbObjectId inPaper = appendTo(db.paperSpaceId(), new AcDbLine({0, 0, 0}, {2, 0, 0}));
    AcDbObjectId inModel = addLine(db);
    {
        Opened<AcDbEntity> e(inBlock);
        EXPECT_EQ(e->blockId(), blockId);
    }
    TempDir dir;
    for (const char* name : {"b.dxf", "b.dwg"}) {
        save(db, dir.file(name));
        AcDbDatabase back(false, true);
        open(back, dir.file(name));
        AcDbObjectId id;
        ASSERT_EQ(back.getAcDbObjectId(id, false, inBlock.handle()), Acad::eOk);
        Opened<AcDbCircle> circle(id);
        ASSERT_TRUE(circle) << name;
        EXPECT_EQ(circle->blockId().handle(), blockId.handle()) << name;
        EXPECT_DOUBLE_EQ(circle->radius(), 1.5);
        Opened<AcDbBlockTableRecord> block(circle->blockId());
        EXPECT_EQ(block->origin(), AcGePoint3d(1, 2, 0)) << name;
        EXPECT_EQ(block->entityCount(), 1);
        ASSERT_EQ(back.getAcDbObjectId(id, false, inPaper.handle()), Acad::eOk);
        Opened<AcDbEntity> paper(id);
        EXPECT_EQ(paper->blockId(), back.paperSpaceId()) << name;
        ASSERT_EQ(back.getAcDbObjectId(id, false, inModel.handle()), Acad::eOk);
        Opened<AcDbEntity> model(id);
        EXPECT_EQ(model->blockId(), back.modelSpaceId()) << name;
    }
}

TEST(Blocks, IteratorVisitsEntitiesInOrderAndSkipsErased)
{
    AcDbDatabase db;
    AcDbObjectId a = addLine(db), b = addLine(db), c = addLine(db);
    {
        Opened<AcDbEntity> e(b, AcDb::kForWrite);
        e->erase();
    }
    Opened<AcDbBlockTableRecord> ms(db.modelSpaceId());
    AcDbBlockTableRecordIterator* it = nullptr;
    ASSERT_EQ(ms->newIterator(it), Acad::eOk);
    std::vector<AcDbObjectId> seen;
    for (it->start(); !it->done(); it->step()) {
        AcDbEntity* ent = nullptr;
        ASSERT_EQ(it->getEntity(ent), Acad::eOk);
        seen.push_back(ent->objectId());
        ent->close();
    }
    EXPECT_EQ(seen, (std::vector<AcDbObjectId>{a, c}));
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(it->getEntity(ent), Acad::eIteratorDone);
    delete it;
    ASSERT_EQ(ms->newIterator(it, false, false), Acad::eOk);
    AcDbObjectId last;
    it->getEntityId(last);
    EXPECT_EQ(last, c);
    it->step(false, false);
    it->getEntityId(last);
    EXPECT_EQ(last, b);
    EXPECT_EQ(it->getEntity(ent), Acad::eWasErased);
    ASSERT_EQ(it->getEntity(ent, AcDb::kForRead, true), Acad::eOk);
    ent->close();
    EXPECT_EQ(it->seek(a), Acad::eOk);
    it->getEntityId(last);
    EXPECT_EQ(last, a);
    delete it;
}

TEST(Layouts, EverySpaceHasItsLayout)
{
    AcDbDatabase db;
    AcDbDictionary* layouts = nullptr;
    ASSERT_EQ(db.getLayoutDictionary(layouts), Acad::eOk);
    EXPECT_EQ(db.layoutDictionaryId(), layouts->objectId());
    AcDbObjectId modelLayout, paperLayout;
    EXPECT_EQ(layouts->getAt(L"Model", modelLayout), Acad::eOk);
    EXPECT_EQ(layouts->getAt(L"Layout1", paperLayout), Acad::eOk);
    layouts->close();
    Opened<AcDbLayout> model(modelLayout);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->getBlockTableRecordId(), db.modelSpaceId());
    EXPECT_TRUE(model->modelType());
    const ACHAR* name = nullptr;
    model->getLayoutName(name);
    EXPECT_STREQ(name, L"Model");
    Opened<AcDbLayout> paper(paperLayout);
    EXPECT_EQ(paper->getBlockTableRecordId(), db.paperSpaceId());
    EXPECT_FALSE(paper->modelType());
    Opened<AcDbBlockTableRecord> ms(db.modelSpaceId());
    EXPECT_EQ(ms->getLayoutId(), modelLayout);
    EXPECT_TRUE(ms->isLayout());
}

TEST(Layouts, CurrentSpaceFollowsTilemode)
{
    AcDbDatabase db;
    EXPECT_TRUE(db.tilemode());
    EXPECT_EQ(db.currentSpaceId(), db.modelSpaceId());
    db.setTilemode(false);
    EXPECT_EQ(db.currentSpaceId(), db.paperSpaceId());
    TempDir dir;
    save(db, dir.file("t.dxf"));
    AcDbDatabase back(false, true);
    open(back, dir.file("t.dxf"));
    EXPECT_FALSE(back.tilemode());
    EXPECT_EQ(back.currentSpaceId(), back.paperSpaceId());
}

TEST(Dictionaries, NamedObjectsDictionaryHoldsEntriesByKey)
{
    AcDbDatabase db;
    AcDbDictionary* nod = nullptr;
    ASSERT_EQ(db.getNamedObjectsDictionary(nod, AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(nod->has(L"ACAD_LAYOUT"));
    EXPECT_TRUE(nod->has(L"acad_group"));
    auto* mine = new AcDbDictionary();
    AcDbObjectId mineId;
    ASSERT_EQ(nod->setAt(L"MY_APP", mine, mineId), Acad::eOk);
    EXPECT_TRUE(mine->isWriteEnabled());
    mine->close();
    EXPECT_TRUE(nod->has(mineId));
    AcDbObjectId got;
    EXPECT_EQ(nod->getAt(L"my_app", got), Acad::eOk);
    EXPECT_EQ(got, mineId);
    AcString key;
    EXPECT_EQ(nod->nameAt(mineId, key), Acad::eOk);
    EXPECT_EQ(key, L"MY_APP");
    EXPECT_EQ(nod->getAt(L"NOTHING", got), Acad::eKeyNotFound);
    auto* unnamed = new AcDbDictionary();
    EXPECT_EQ(nod->setAt(L"", unnamed, got), Acad::eInvalidKey);
    delete unnamed;  // refused: still the caller's
    nod->close();
    Opened<AcDbDictionary> opened(mineId);
    EXPECT_EQ(opened->ownerId(), db.namedObjectsDictionaryId());
}

TEST(Dictionaries, ReplacingAnEntryErasesTheOldObjectAndIteratorSkipsErased)
{
    AcDbDatabase db;
    AcDbObjectId dictId;
    {
        Opened<AcDbDictionary> nod(db.namedObjectsDictionaryId(), AcDb::kForWrite);
        auto* d = new AcDbDictionary();
        nod->setAt(L"STORE", d, dictId);
        d->close();
    }
    Opened<AcDbDictionary> dict(dictId, AcDb::kForWrite);
    AcDbObjectId first, second, third;
    auto* x1 = new AcDbXrecord();
    ASSERT_EQ(dict->setAt(L"B", x1, first), Acad::eOk);
    x1->close();
    auto* x2 = new AcDbXrecord();
    ASSERT_EQ(dict->setAt(L"b", x2, second), Acad::eOk);  // same key, other case
    x2->close();
    EXPECT_TRUE(first.isErased());
    EXPECT_EQ(dict->numEntries(), 1u);
    auto* x3 = new AcDbXrecord();
    ASSERT_EQ(dict->setAt(L"A", x3, third), Acad::eOk);
    x3->close();
    {
        Opened<AcDbXrecord> x(third, AcDb::kForWrite);
        x->erase();
    }
    EXPECT_EQ(dict->numEntries(), 1u);
    EXPECT_FALSE(dict->has(L"A"));
    AcDbObjectId dummy;
    EXPECT_EQ(dict->getAt(L"A", dummy), Acad::eKeyNotFound);
    auto* x4 = new AcDbXrecord();
    ASSERT_EQ(dict->setAt(L"C", x4, dummy), Acad::eOk);
    x4->close();
    std::vector<std::wstring> keys;
    AcDbDictionaryIterator* it = dict->newIterator();
    for (; !it->done(); it->next()) {
        keys.push_back(it->name());
        AcDbObject* obj = nullptr;
        ASSERT_EQ(it->getObject(obj), Acad::eOk);
        EXPECT_EQ(obj->objectId(), it->objectId());
        obj->close();
    }
    delete it;
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"B", L"C"}));
    EXPECT_EQ(dict->setName(L"C", L"B"), Acad::eDuplicateKey);
    EXPECT_EQ(dict->setName(L"C", L"D"), Acad::eOk);
    EXPECT_TRUE(dict->has(L"D"));
    EXPECT_EQ(dict->remove(L"D"), Acad::eOk);
    EXPECT_EQ(dict->remove(L"D"), Acad::eKeyNotFound);
}

TEST(Xrecords, KeepAChainOfValues)
{
    AcDbDatabase db;
    AcDbObjectId xId, lineId = addLine(db);
    ads_point pt = {1.5, -2.5, 3.25};
    char bytes[] = {0, 1, 2, 3, '\xFF'};
    ads_binary bin{5, bytes};
    ads_name ename;
    acdbGetAdsName(ename, lineId);
    resbuf* chain = acutBuildList(1, L"text\nwith a line break", 10, pt, 40, 2.75, 70, 12, 90, 123456,
                                  160, Adesk::Int64(1) << 40, 290, 1, 310, &bin, 330, ename, 1000, L"x", RTNONE);
    ASSERT_NE(chain, nullptr);
    {
        Opened<AcDbDictionary> nod(db.namedObjectsDictionaryId(), AcDb::kForWrite);
        auto* x = new AcDbXrecord();
        ASSERT_EQ(x->setFromRbChain(*chain), Acad::eOk);
        ASSERT_EQ(nod->setAt(L"XREC", x, xId), Acad::eOk);
        x->close();
    }
    acutRelRb(chain);
    auto check = [&](AcDbDatabase& d, AcDbObjectId id, const char* where) {
        Opened<AcDbXrecord> x(id);
        ASSERT_TRUE(x) << where;
        resbuf* out = nullptr;
        ASSERT_EQ(x->rbChain(&out), Acad::eOk);
        resbuf* rb = out;
        auto next = [&](int code) {
            EXPECT_NE(rb, nullptr) << where << " code " << code;
            if (rb == nullptr) return false;
            EXPECT_EQ(rb->restype, code) << where;
            return rb->restype == code;
        };
        if (next(1)) { EXPECT_STREQ(rb->resval.rstring, L"text\nwith a line break") << where; }
        rb = rb->rbnext;
        if (next(10)) {
            EXPECT_EQ(rb->resval.rpoint[0], 1.5);
            EXPECT_EQ(rb->resval.rpoint[1], -2.5);
            EXPECT_EQ(rb->resval.rpoint[2], 3.25);
        }
        rb = rb->rbnext;
        if (next(40)) { EXPECT_EQ(rb->resval.rreal, 2.75); }
        rb = rb->rbnext;
        if (next(70)) { EXPECT_EQ(rb->resval.rint, 12); }
        rb = rb->rbnext;
        if (next(90)) { EXPECT_EQ(rb->resval.rlong, 123456); }
        rb = rb->rbnext;
        if (next(160)) { EXPECT_EQ(rb->resval.mnInt64, Adesk::Int64(1) << 40); }
        rb = rb->rbnext;
        if (next(290)) { EXPECT_EQ(rb->resval.rint, 1); }
        rb = rb->rbnext;
        if (next(310)) {
            ASSERT_EQ(rb->resval.rbinary.clen, 5);
            EXPECT_EQ(std::memcmp(rb->resval.rbinary.buf, bytes, 5), 0);
        }
        rb = rb->rbnext;
        if (next(330)) {
            AcDbObjectId ref;
            acdbGetObjectId(ref, rb->resval.rlname);
            EXPECT_EQ(ref.handle(), lineId.handle()) << where;
            EXPECT_EQ(ref.database(), &d);
        }
        rb = rb->rbnext;
        if (next(1000)) { EXPECT_STREQ(rb->resval.rstring, L"x"); }
        EXPECT_EQ(rb->rbnext, nullptr);
        acutRelRb(out);
    };
    check(db, xId, "memory");
    TempDir dir;
    for (const char* name : {"x.dxf", "x.dwg"}) {
        save(db, dir.file(name));
        AcDbDatabase back(false, true);
        open(back, dir.file(name));
        AcDbObjectId id;
        ASSERT_EQ(back.getAcDbObjectId(id, false, xId.handle()), Acad::eOk);
        check(back, id, name);
    }
}

TEST(ResultBuffers, BuildCopyAndRelease)
{
    ads_point p = {1, 2, 3};
    resbuf* rb = acutBuildList(RTSTR, L"hello", RTREAL, 1.25, RTSHORT, 7, RTLONG, 70000, RT3DPOINT, p, RTLB, RTLE,
                               RTNONE);
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(rb->restype, RTSTR);
    EXPECT_STREQ(rb->resval.rstring, L"hello");
    EXPECT_EQ(rb->rbnext->resval.rreal, 1.25);
    EXPECT_EQ(rb->rbnext->rbnext->resval.rint, 7);
    EXPECT_EQ(rb->rbnext->rbnext->rbnext->resval.rlong, 70000);
    EXPECT_EQ(rb->rbnext->rbnext->rbnext->rbnext->resval.rpoint[2], 3);
    EXPECT_EQ(rb->rbnext->rbnext->rbnext->rbnext->rbnext->restype, RTLB);
    EXPECT_EQ(acutRelRb(rb), RTNORM);
    EXPECT_EQ(acutBuildList(9999, 1, RTNONE), nullptr);  // a type with no value form
    auto* buf = static_cast<char*>(acutNewBuffer(32));
    ASSERT_NE(buf, nullptr);
    acutDelBuffer(buf);
    EXPECT_EQ(buf, nullptr);
    ACHAR* copy = nullptr;
    acutNewString(L"abc", copy);
    EXPECT_STREQ(copy, L"abc");
    acutDelString(copy);
    EXPECT_EQ(copy, nullptr);
    ACHAR small[3];
    acutCopyString(small, 3, L"abcdef");
    EXPECT_STREQ(small, L"ab");
}

TEST(Arrays, AppendingReallocatesRarelyWhateverTheGrowthLength)
{
    AcArray<int> a(0, 8);
    int reallocations = 0;
    int capacity = a.physicalLength();
    for (int i = 0; i < 100000; ++i) {
        a.append(i);
        if (a.physicalLength() != capacity) {
            ++reallocations;
            capacity = a.physicalLength();
        }
    }
    EXPECT_EQ(a.length(), 100000);
    EXPECT_EQ(a[99999], 99999);
    EXPECT_LT(reallocations, 40);  // growing by 8 each time would take 12,500
    EXPECT_EQ(a.physicalLength() % 8, 0);
    EXPECT_TRUE(a.remove(5));
    EXPECT_EQ(a.indexOf(6), 5);
}

TEST(SortentsTable, MoveToBottomChangesTheDrawOrder)
{
    AcDbDatabase db;
    AcDbObjectId a = addLine(db), b = addLine(db), c = addLine(db);
    AcDbObjectId tableId;
    {
        Opened<AcDbBlockTableRecord> ms(db.modelSpaceId());
        AcDbSortentsTable* table = nullptr;
        EXPECT_EQ(ms->getSortentsTable(table, AcDb::kForRead, false), Acad::eKeyNotFound);
        ASSERT_EQ(ms->getSortentsTable(table, AcDb::kForWrite, true), Acad::eOk);
        EXPECT_EQ(table->blockId(), db.modelSpaceId());
        AcDbObjectIdArray order;
        ASSERT_EQ(table->getFullDrawOrder(order), Acad::eOk);
        EXPECT_EQ(order.length(), 3);
        AcDbObjectIdArray move;
        move.append(c);
        ASSERT_EQ(table->moveToBottom(move), Acad::eOk);
        table->getFullDrawOrder(order);
        ASSERT_EQ(order.length(), 3);
        EXPECT_EQ(order[0], c);
        EXPECT_EQ(order[1], a);
        EXPECT_EQ(order[2], b);
        AcDbHandle h;
        table->getSortHandle(c, h);
        EXPECT_EQ(h, a.handle());
        AcDbObjectIdArray stranger;
        stranger.append(db.layerTableId());
        EXPECT_EQ(table->moveToBottom(stranger), Acad::eInvalidInput);
        tableId = table->objectId();
        table->close();
        AcDbSortentsTable* again = nullptr;
        ASSERT_EQ(ms->getSortentsTable(again, AcDb::kForRead, true), Acad::eOk);
        EXPECT_EQ(again->objectId(), tableId);  // one table per block
        again->close();
    }
    TempDir dir;
    for (const char* name : {"s.dxf", "s.dwg"}) {
        save(db, dir.file(name));
        AcDbDatabase back(false, true);
        open(back, dir.file(name));
        Opened<AcDbBlockTableRecord> ms(back.modelSpaceId());
        AcDbSortentsTable* table = nullptr;
        ASSERT_EQ(ms->getSortentsTable(table, AcDb::kForRead), Acad::eOk) << name;
        AcDbObjectIdArray order;
        table->getFullDrawOrder(order);
        ASSERT_EQ(order.length(), 3);
        EXPECT_EQ(order[0].handle(), c.handle()) << name;
        EXPECT_EQ(order[1].handle(), a.handle()) << name;
        table->close();
    }
}

}  // namespace

// Symbol tables: the records every drawing has, lookups by name without regard
// to case that follow renames, cancelled renames and erasing, unique names, a
// layer's off, frozen and locked states through both files, and the iterator.
#include <gtest/gtest.h>

#include <vector>

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

}  // namespace

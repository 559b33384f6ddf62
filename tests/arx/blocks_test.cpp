// Blocks: model space, paper space and other blocks owning their entities
// through both files, and the block iterator in both directions.
#include <gtest/gtest.h>

#include <vector>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

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

}  // namespace

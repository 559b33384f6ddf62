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

// An entity that names its block joins it as it is read; one that names none
// joins model or paper space when the file has been read. Either way a block
// lists its entities in the order the file holds them.
TEST(Blocks, EntitiesJoinTheirBlocksInFileOrder)
{
    TempDir dir;
    std::string model;
    {
        AcDbDatabase db;
        model = handleOf(db.modelSpaceId());
        save(db, dir.file("empty.dxf"));
    }
    auto line = [](const std::string& handle, const std::string& owner, const std::string& x, bool paper = false) {
        return "  0\nLINE\n  5\n" + handle + "\n" + (owner.empty() ? "" : "330\n" + owner + "\n") +
               "100\nAcDbEntity\n" + (paper ? " 67\n1\n" : "") + "  8\n0\n100\nAcDbLine\n 10\n" + x +
               "\n 20\n0\n 30\n0\n 11\n" + x + "\n 21\n1\n 31\n0\n";
    };
    const std::string entities = line("A001", model, "1") + line("A002", "", "2") + line("A003", model, "3") +
                                 line("A004", "", "4", true) + line("A005", model, "5");
    writeText(dir.file("order.dxf"), splice(readText(dir.file("empty.dxf")), "", entities, ""));
    AcDbDatabase db(false, true);
    open(db, dir.file("order.dxf"));
    auto xsIn = [&](AcDbObjectId blockId) {
        std::vector<double> xs;
        Opened<AcDbBlockTableRecord> block(blockId);
        AcDbBlockTableRecordIterator* it = nullptr;
        EXPECT_EQ(block->newIterator(it), Acad::eOk);
        for (; !it->done(); it->step()) {
            AcDbEntity* ent = nullptr;
            EXPECT_EQ(it->getEntity(ent, AcDb::kForRead), Acad::eOk);
            if (auto* l = AcDbLine::cast(ent)) xs.push_back(l->startPoint().x);
            ent->close();
        }
        delete it;
        return xs;
    };
    EXPECT_EQ(xsIn(db.modelSpaceId()), (std::vector<double>{1, 2, 3, 5}));
    EXPECT_EQ(xsIn(db.paperSpaceId()), (std::vector<double>{4}));
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

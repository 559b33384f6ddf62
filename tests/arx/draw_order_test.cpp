// Draw order: a block's sort-entities table, moving entities to the bottom, and
// the order through both files.
#include <gtest/gtest.h>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

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

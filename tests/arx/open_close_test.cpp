// The open and close protocol of database objects: readers and writers, notify
// mode, erased objects, cancel, upgrade and downgrade, and the assertions that
// stop a program using an object it has not opened.
#include <gtest/gtest.h>

#include "arx_test_util.h"

namespace {
using namespace arxtest;

TEST(OpenClose, SeveralReadersOrOneWriter)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbObject *r1 = nullptr, *r2 = nullptr, *w = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(r1, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenAcDbObject(r2, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(r1, r2);
    EXPECT_TRUE(r1->isReadEnabled());
    EXPECT_FALSE(r1->isWriteEnabled());
    EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eWasOpenForRead);
    EXPECT_EQ(w, nullptr);
    EXPECT_EQ(r1->upgradeOpen(), Acad::eHadMultipleReaders);
    r2->close();
    EXPECT_EQ(r1->upgradeOpen(), Acad::eOk);
    EXPECT_TRUE(r1->isWriteEnabled());
    EXPECT_EQ(acdbOpenAcDbObject(r2, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eWasOpenForWrite);
    EXPECT_EQ(r1->downgradeOpen(), Acad::eOk);
    EXPECT_TRUE(r1->isReadEnabled());
    EXPECT_FALSE(r1->isWriteEnabled());
    r1->close();
    EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(w->close(), Acad::eOk);
    EXPECT_EQ(w->close(), Acad::eInvalidOpenState);  // closed twice
}

TEST(OpenClose, NotifyModeAllowsReadersButNoWriter)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbObject *n = nullptr, *r = nullptr, *w = nullptr;
    ASSERT_EQ(acdbOpenObject(n, id, AcDb::kForNotify), Acad::eOk);
    EXPECT_TRUE(n->isNotifyEnabled());
    EXPECT_TRUE(n->isReadEnabled());
    EXPECT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eWasNotifying);
    ASSERT_EQ(acdbOpenObject(r, id, AcDb::kForRead), Acad::eOk);
    r->close();
    n->close();
    EXPECT_FALSE(n->isNotifyEnabled());
    ASSERT_EQ(acdbOpenObject(w, id, AcDb::kForWrite), Acad::eOk);
    w->close();
}

TEST(OpenClose, ErasedObjectsAreRefusedUnlessAsked)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(ent->erase(), Acad::eOk);
    EXPECT_TRUE(ent->isErased());
    EXPECT_EQ(ent->erase(), Acad::eWasErased);
    ent->close();
    EXPECT_TRUE(id.isErased());
    EXPECT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eWasErased);
    AcDbObject* obj = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eWasErased);
    EXPECT_EQ(acdbOpenObject(obj, id, AcDb::kForRead), Acad::eWasErased);
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite, true), Acad::eOk);
    EXPECT_EQ(ent->erase(false), Acad::eOk);
    EXPECT_EQ(ent->erase(false), Acad::eWasNotErased);
    ent->close();
    EXPECT_FALSE(id.isErased());
}

TEST(OpenClose, EraseNeedsWriteAccess)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    Opened<AcDbEntity> ent(id);
    ASSERT_TRUE(ent);
    EXPECT_EQ(ent->erase(), Acad::eNotOpenForWrite);
    EXPECT_FALSE(id.isErased());
    AcDbLine loose;
    EXPECT_EQ(loose.erase(), Acad::eNotInDatabase);
}

TEST(OpenClose, OpeningWithAClassCheck)
{
    AcDbDatabase db;
    AcDbObjectId line = addLine(db);
    AcDbCircle* circle = nullptr;
    EXPECT_EQ(acdbOpenObject(circle, line, AcDb::kForRead), Acad::eNotThatKindOfClass);
    EXPECT_EQ(circle, nullptr);
    // The failed open left nothing open: a writer gets in.
    AcDbLine* l = nullptr;
    ASSERT_EQ(acdbOpenObject(l, line, AcDb::kForWrite), Acad::eOk);
    l->close();
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(ent, db.layerTableId(), AcDb::kForRead), Acad::eNotAnEntity);
    EXPECT_EQ(ent, nullptr);
    Opened<AcDbLayerTable> table(db.layerTableId(), AcDb::kForWrite);
    EXPECT_EQ(table.es, Acad::eOk);
}

TEST(OpenClose, CancelPutsBackTheStateBeforeTheOpen)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db, {0, 0, 0}, {1, 0, 0});
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForWrite), Acad::eOk);
    line->setEndPoint({5, 5, 5});
    line->setColorIndex(3);
    EXPECT_TRUE(line->isModified());
    EXPECT_EQ(line->cancel(), Acad::eOk);
    Opened<AcDbLine> again(id);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->endPoint(), AcGePoint3d(1, 0, 0));
    EXPECT_EQ(again->colorIndex(), 256);
    EXPECT_FALSE(again->isModified());
}

TEST(OpenClose, NewObjectIsOpenForWriteUntilClosed)
{
    AcDbDatabase db;
    auto* line = new AcDbLine({0, 0, 0}, {1, 0, 0});
    EXPECT_TRUE(line->isWriteEnabled());  // not in a database: anything goes
    AcDbObjectId id;
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(ms->appendAcDbEntity(id, line), Acad::eOk);
    EXPECT_TRUE(line->isNewObject());
    EXPECT_TRUE(line->isWriteEnabled());
    EXPECT_EQ(ms->appendAcDbEntity(line), Acad::eAlreadyInDb);
    AcDbObject* other = nullptr;
    EXPECT_EQ(acdbOpenObject(other, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    line->close();
    ms->close();
    EXPECT_EQ(acdbOpenObject(other, id, AcDb::kForRead), Acad::eOk);
    other->close();
}

TEST(OpenClose, UpgradeNeedsASingleReader)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenObject(obj, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(obj->upgradeOpen(), Acad::eWasOpenForWrite);
    obj->close();
    ASSERT_EQ(acdbOpenObject(obj, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(obj->downgradeOpen(), Acad::eNotOpenForWrite);
    obj->close();
}

TEST(OpenCloseDeathTest, WritingAnObjectOpenForReadStopsTheHost)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
    EXPECT_DEATH(line->setStartPoint({2, 2, 2}), "without being open for write");
    line->close();
}

TEST(OpenCloseDeathTest, ReadingAClosedObjectStopsTheHost)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk);
    line->close();
    EXPECT_DEATH(line->startPoint(), "without being open for read");
}

TEST(OpenClose, ObjectsOnLockedLayersCanBeReadButNotWritten)
{
    AcDbDatabase db;
    AcDbObjectId layerId;
    {
        Opened<AcDbLayerTable> layers(db.layerTableId(), AcDb::kForWrite);
        ASSERT_TRUE(layers);
        auto* layer = new AcDbLayerTableRecord();
        ASSERT_EQ(layer->setName(L"Fixed"), Acad::eOk);
        ASSERT_EQ(layers->add(layerId, layer), Acad::eOk);
        layer->close();
    }
    auto* line = new AcDbLine({0, 0, 0}, {1, 1, 0});
    AcDbObjectId id = appendToModelSpace(db, line);
    {
        Opened<AcDbEntity> ent(id, AcDb::kForWrite);
        ASSERT_EQ(ent->setLayer(L"Fixed"), Acad::eOk);
    }
    {
        Opened<AcDbLayerTableRecord> layer(layerId, AcDb::kForWrite);
        layer->setIsLocked(true);
        EXPECT_TRUE(layer->isLocked());
    }
    AcDbEntity* ent = nullptr;
    EXPECT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOnLockedLayer);
    EXPECT_EQ(ent, nullptr);
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->upgradeOpen(), Acad::eOnLockedLayer);
    ent->close();
    {
        Opened<AcDbLayerTableRecord> layer(layerId, AcDb::kForWrite);
        layer->setIsLocked(false);
    }
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
    ent->close();
}

}  // namespace

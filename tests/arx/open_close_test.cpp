// The open and close protocol of database objects.
#include <gtest/gtest.h>

#include "arxHeaders.h"

namespace {

AcDbObjectId addLine(AcDbDatabase& db, AcGePoint3d a = {0, 0, 0}, AcGePoint3d b = {1, 1, 0})
{
    AcDbBlockTable* bt = nullptr;
    EXPECT_EQ(db.getBlockTable(bt, AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecord* ms = nullptr;
    EXPECT_EQ(bt->getAt(ACDB_MODEL_SPACE, ms, AcDb::kForWrite), Acad::eOk);
    bt->close();
    AcDbObjectId id;
    auto* line = new AcDbLine(a, b);
    EXPECT_EQ(ms->appendAcDbEntity(id, line), Acad::eOk);
    line->close();
    ms->close();
    return id;
}

TEST(OpenClose, SeveralReadersOrOneWriter)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbObject *r1 = nullptr, *r2 = nullptr, *w = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(r1, id, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenAcDbObject(r2, id, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eWasOpenForRead);
    EXPECT_EQ(r1->upgradeOpen(), Acad::eHadMultipleReaders);
    r2->close();
    EXPECT_EQ(r1->upgradeOpen(), Acad::eOk);
    EXPECT_EQ(acdbOpenAcDbObject(r2, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    r1->close();
    EXPECT_EQ(acdbOpenAcDbObject(w, id, AcDb::kForWrite), Acad::eOk);
    w->close();
}

TEST(OpenClose, ErasedObjectsAreRefusedUnlessAsked)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(ent->erase(), Acad::eOk);
    EXPECT_EQ(ent->erase(), Acad::eWasErased);
    ent->close();
    EXPECT_TRUE(id.isErased());
    EXPECT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForRead), Acad::eWasErased);
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite, true), Acad::eOk);
    EXPECT_EQ(ent->erase(false), Acad::eOk);
    ent->close();
    EXPECT_FALSE(id.isErased());
}

}  // namespace

// Copies of objects through their own filing (deepClone): what the object
// files is copied, its extension dictionary and reactors are not, and the id
// map tells the copy of each original.
#include <gtest/gtest.h>

#include "arx_test_util.h"

namespace {
using namespace arxtest;

TEST(Clone, DeepCloneCopiesWhatTheObjectFilesButNotItsDictionaryOrReactors)
{
    AcDbDatabase db;
    {
        Opened<AcDbRegAppTable> apps(db.regAppTableId(), AcDb::kForWrite);
        auto* app = new AcDbRegAppTableRecord();
        app->setName(L"CLONEAPP");
        apps->add(app);
        app->close();
    }
    AcDbObjectId original = addLine(db, {1, 2, 3}, {4, 5, 6});
    AcDbObjectId reactor = addLine(db);
    {
        Opened<AcDbLine> line(original, AcDb::kForWrite);
        line->setColorIndex(4);
        resbuf* xd = acutBuildList(1001, L"CLONEAPP", 1000, L"copied too", RTNONE);
        ASSERT_EQ(line->setXData(xd), Acad::eOk);
        acutRelRb(xd);
        ASSERT_EQ(line->createExtensionDictionary(), Acad::eOk);
        line->addPersistentReactor(reactor);
    }
    AcDbIdMapping map;
    AcDbObject* copy = nullptr;
    {
        Opened<AcDbLine> line(original);
        Opened<AcDbBlockTableRecord> ms(db.modelSpaceId(), AcDb::kForWrite);
        ASSERT_EQ(line->deepClone(ms.get(), copy, map), Acad::eOk);
    }
    ASSERT_NE(copy, nullptr);
    auto* line = AcDbLine::cast(copy);
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->isWriteEnabled());
    EXPECT_NE(line->objectId(), original);
    EXPECT_EQ(line->ownerId(), db.modelSpaceId());
    EXPECT_EQ(line->startPoint(), AcGePoint3d(1, 2, 3));
    EXPECT_EQ(line->endPoint(), AcGePoint3d(4, 5, 6));
    EXPECT_EQ(line->colorIndex(), 4);
    resbuf* xd = line->xData(L"CLONEAPP");
    ASSERT_NE(xd, nullptr);
    EXPECT_STREQ(xd->rbnext->resval.rstring, L"copied too");
    acutRelRb(xd);
    EXPECT_TRUE(line->extensionDictionary().isNull());
    EXPECT_FALSE(line->hasPersistentReactor(reactor));
    AcDbObjectId mapped;
    EXPECT_TRUE(map.compute(original, mapped));
    EXPECT_EQ(mapped, line->objectId());
    line->close();
    Opened<AcDbBlockTableRecord> ms(db.modelSpaceId());
    EXPECT_EQ(ms->entityCount(), 3);
}

}  // namespace

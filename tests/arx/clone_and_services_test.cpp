// Copies of objects through their own filing (deepClone), and the host's
// services to databases: the working database and looking up support files.
#include <gtest/gtest.h>

#include "arx_test_util.h"
#include "temp_dir.h"

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

TEST(HostServices, SupportFilesAreFoundByNameAndTheWorkingDatabaseIsForgotten)
{
    TempDir dir;
    writeText(dir.file("support.lin"), "*FROMSUPPORT,found in a support folder\nA,1,-1\n");
    AcDbDatabase db;
    EXPECT_EQ(db.loadLineTypeFile(L"FROMSUPPORT", L"support.lin"), Acad::eFileNotFound);
    arxhost::addSupportPath(dir.path().wstring());
    EXPECT_EQ(db.loadLineTypeFile(L"FROMSUPPORT", L"support.lin"), Acad::eOk) << arxhost::lastError();
    ACHAR found[8];
    EXPECT_EQ(acdbHostApplicationServices()->findFile(found, 8, L"support.lin"), Acad::eBufferTooSmall);

    auto* other = new AcDbDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(other);
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), other);
    // An entity not yet in a database takes its layer from the working database.
    AcDbLine loose;
    EXPECT_EQ(loose.setLayer(L"0"), Acad::eOk);
    delete other;
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), nullptr);
    EXPECT_EQ(loose.setLayer(L"0"), Acad::eNoDatabase);
}

}  // namespace

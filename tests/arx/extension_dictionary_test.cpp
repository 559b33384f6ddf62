// Extension dictionaries: made once on an object that is open for write, owned
// by it and holding its entries hard, released only when empty, and erased and
// unerased with their object.
#include <gtest/gtest.h>

#include "arx_test_util.h"

namespace {
using namespace arxtest;

TEST(ExtensionDictionary, CreatedOnceAndReleasedOnlyWhenEmpty)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbObjectId dictId;
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        EXPECT_TRUE(line->extensionDictionary().isNull());
        ASSERT_EQ(line->createExtensionDictionary(), Acad::eOk);
        dictId = line->extensionDictionary();
        ASSERT_FALSE(dictId.isNull());
        EXPECT_EQ(line->createExtensionDictionary(), Acad::eAlreadyInDb);
        EXPECT_EQ(line->extensionDictionary(), dictId);
    }
    {
        Opened<AcDbDictionary> dict(dictId, AcDb::kForWrite);
        ASSERT_TRUE(dict);
        EXPECT_EQ(dict->ownerId(), id);
        EXPECT_TRUE(dict->isTreatElementsAsHard());
        AcDbObjectId xrecId;
        auto* xrec = new AcDbXrecord();
        ASSERT_EQ(dict->setAt(L"DATA", xrec, xrecId), Acad::eOk);
        xrec->close();
    }
    {
        Opened<AcDbLine> line(id);
        EXPECT_EQ(line->createExtensionDictionary(), Acad::eNotOpenForWrite);
    }
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        EXPECT_EQ(line->releaseExtensionDictionary(), Acad::eContainerNotEmpty);
        EXPECT_EQ(line->extensionDictionary(), dictId);
    }
    {
        Opened<AcDbDictionary> dict(dictId, AcDb::kForWrite);
        AcDbObjectId removed;
        ASSERT_EQ(dict->remove(L"DATA", removed), Acad::eOk);
        Opened<AcDbObject> xrec(removed, AcDb::kForWrite);
        xrec->erase();
    }
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        EXPECT_EQ(line->releaseExtensionDictionary(), Acad::eOk);
        EXPECT_TRUE(line->extensionDictionary().isNull());
    }
    EXPECT_TRUE(dictId.isErased());
}

TEST(ExtensionDictionary, GoesAndComesBackWithItsObject)
{
    AcDbDatabase db;
    AcDbObjectId id = addLine(db);
    AcDbObjectId dictId;
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite);
        ASSERT_EQ(line->createExtensionDictionary(), Acad::eOk);
        dictId = line->extensionDictionary();
        line->erase();
    }
    EXPECT_TRUE(dictId.isErased());
    {
        Opened<AcDbLine> line(id, AcDb::kForWrite, true);
        line->erase(false);
    }
    EXPECT_FALSE(dictId.isErased());
}

}  // namespace

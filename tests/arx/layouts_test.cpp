// Layouts: every space has its layout, and the current space follows TILEMODE
// through a file.
#include <gtest/gtest.h>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

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

}  // namespace

// The host's services to databases: support files found by name in the
// support folders, and the working database, which is forgotten when it goes.
#include <gtest/gtest.h>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

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

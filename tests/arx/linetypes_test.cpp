// Linetypes loaded from a linetype file (.lin): dashes, text in dashes and
// comments, through both files; a bad file names its line and loads nothing.
#include <gtest/gtest.h>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

TEST(Linetypes, LoadedFromALinetypeFile)
{
    TempDir dir;
    writeText(dir.file("test.lin"),
              ";; test linetypes\n"
              "*DASHED,Dashed __ __ __\n"
              "A,.5,-.25\n"
              "*GAS_LINE,Gas line ----GAS----GAS----\n"
              "A,.5,-.2,[\"GAS\",STANDARD,S=.1,R=0.0,X=-0.1,Y=-.05],-.25\r\n"
              "*DOT,Dots\n"
              "A,0,-.25\n");
    AcDbDatabase db;
    const std::wstring lin = dir.wfile("test.lin");
    ASSERT_EQ(db.loadLineTypeFile(L"DASHED", lin.c_str()), Acad::eOk) << arxhost::lastError();
    EXPECT_EQ(db.loadLineTypeFile(L"DASHED", lin.c_str()), Acad::eDuplicateRecordName);
    EXPECT_EQ(db.loadLineTypeFile(L"NOSUCH", lin.c_str()), Acad::eKeyNotFound);
    ASSERT_EQ(db.loadLineTypeFile(L"*", lin.c_str()), Acad::eOk);
    EXPECT_EQ(db.loadLineTypeFile(L"DASHED", L"/nonexistent/x.lin"), Acad::eFileNotFound);

    Opened<AcDbLinetypeTable> ltypes(db.linetypeTableId());
    AcDbLinetypeTableRecord* dashed = nullptr;
    ASSERT_EQ(ltypes->getAt(L"dashed", dashed, AcDb::kForRead), Acad::eOk);
    const ACHAR* comments = nullptr;
    dashed->comments(comments);
    EXPECT_STREQ(comments, L"Dashed __ __ __");
    ASSERT_EQ(dashed->numDashes(), 2);
    EXPECT_DOUBLE_EQ(dashed->dashLengthAt(0), 0.5);
    EXPECT_DOUBLE_EQ(dashed->dashLengthAt(1), -0.25);
    EXPECT_DOUBLE_EQ(dashed->patternLength(), 0.75);
    dashed->close();
    AcDbLinetypeTableRecord* gas = nullptr;
    ASSERT_EQ(ltypes->getAt(L"GAS_LINE", gas, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(gas->numDashes(), 4);
    EXPECT_STREQ(gas->textAt(2), L"GAS");
    EXPECT_STREQ(gas->textAt(0), L"");
    gas->close();
    EXPECT_TRUE(ltypes->has(L"DOT"));

    // The linetypes go to both files and come back.
    for (const char* name : {"l.dxf", "l.dwg"}) {
        save(db, dir.file(name));
        AcDbDatabase back(false, true);
        open(back, dir.file(name));
        Opened<AcDbLinetypeTable> t(back.linetypeTableId());
        AcDbLinetypeTableRecord* rec = nullptr;
        ASSERT_EQ(t->getAt(L"GAS_LINE", rec, AcDb::kForRead), Acad::eOk) << name;
        ASSERT_EQ(rec->numDashes(), 4) << name;
        EXPECT_STREQ(rec->textAt(2), L"GAS") << name;
        EXPECT_NEAR(rec->dashLengthAt(3), -0.25, 1e-12) << name;
        rec->close();
    }
}

TEST(Linetypes, BadLinetypeFilesAreRefusedWithTheirLine)
{
    TempDir dir;
    writeText(dir.file("bad.lin"), "*GOOD,fine\nA,.5,-.25\n*BAD,broken\nA,.5,oops\n");
    AcDbDatabase db;
    EXPECT_EQ(db.loadLineTypeFile(L"*", dir.wfile("bad.lin").c_str()), Acad::eInvalidInput);
    EXPECT_NE(arxhost::lastError().find("line 4"), std::string::npos) << arxhost::lastError();
    Opened<AcDbLinetypeTable> ltypes(db.linetypeTableId());
    EXPECT_FALSE(ltypes->has(L"GOOD"));  // nothing of a bad file is loaded
}

}  // namespace

// Extended data: set, read, merged and removed by registered application, with
// the host's refusals for an unregistered application, a group without one, and
// data beyond the size limit.
#include <gtest/gtest.h>

#include <string>

#include "arx_test_util.h"

namespace {
using namespace arxtest;

TEST(XData, SetReadMergeAndRemoveByApplication)
{
    AcDbDatabase db;
    for (const ACHAR* name : {L"APP1", L"APP2"}) {
        Opened<AcDbRegAppTable> apps(db.regAppTableId(), AcDb::kForWrite);
        auto* app = new AcDbRegAppTableRecord();
        app->setName(name);
        apps->add(app);
        app->close();
    }
    AcDbObjectId id = addLine(db);
    Opened<AcDbLine> line(id, AcDb::kForWrite);
    resbuf* a = acutBuildList(1001, L"APP1", 1000, L"one", 1071, 100000, RTNONE);
    resbuf* b = acutBuildList(1001, L"APP2", 1040, 2.5, RTNONE);
    ASSERT_EQ(line->setXData(a), Acad::eOk);
    ASSERT_EQ(line->setXData(b), Acad::eOk);
    resbuf* all = line->xData();
    int apps = 0;
    for (resbuf* rb = all; rb != nullptr; rb = rb->rbnext)
        if (rb->restype == 1001) ++apps;
    EXPECT_EQ(apps, 2);
    acutRelRb(all);
    resbuf* one = line->xData(L"app1");
    ASSERT_NE(one, nullptr);
    ASSERT_NE(one->rbnext, nullptr);
    EXPECT_STREQ(one->rbnext->resval.rstring, L"one");
    EXPECT_EQ(one->rbnext->rbnext->resval.rlong, 100000);
    acutRelRb(one);
    resbuf* remove = acutBuildList(1001, L"APP1", RTNONE);
    ASSERT_EQ(line->setXData(remove), Acad::eOk);
    EXPECT_EQ(line->xData(L"APP1"), nullptr);
    resbuf* two = line->xData(L"APP2");
    EXPECT_NE(two, nullptr);
    acutRelRb(two);
    resbuf* unknown = acutBuildList(1001, L"NOPE", 1000, L"x", RTNONE);
    EXPECT_EQ(line->setXData(unknown), Acad::eRegappIdNotFound);
    resbuf* orphan = acutBuildList(1000, L"no app", RTNONE);
    EXPECT_EQ(line->setXData(orphan), Acad::eInvalidInput);
    std::wstring big(17000, L'x');
    resbuf* huge = acutBuildList(1001, L"APP1", 1000, big.c_str(), RTNONE);
    EXPECT_EQ(line->setXData(huge), Acad::eXdataSizeExceeded);
    for (resbuf* rb : {a, b, remove, unknown, orphan, huge}) acutRelRb(rb);
}

}  // namespace

// Xrecords: a chain of values of every kind kept as it was set, in memory and
// through both files, references resolved in the drawing read.
#include <gtest/gtest.h>

#include <cstring>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

TEST(Xrecords, KeepAChainOfValues)
{
    AcDbDatabase db;
    AcDbObjectId xId, lineId = addLine(db);
    ads_point pt = {1.5, -2.5, 3.25};
    char bytes[] = {0, 1, 2, 3, '\xFF'};
    ads_binary bin{5, bytes};
    ads_name ename;
    acdbGetAdsName(ename, lineId);
    resbuf* chain = acutBuildList(1, L"text\nwith a line break", 10, pt, 40, 2.75, 70, 12, 90, 123456,
                                  160, Adesk::Int64(1) << 40, 290, 1, 310, &bin, 330, ename, 1000, L"x", RTNONE);
    ASSERT_NE(chain, nullptr);
    {
        Opened<AcDbDictionary> nod(db.namedObjectsDictionaryId(), AcDb::kForWrite);
        auto* x = new AcDbXrecord();
        ASSERT_EQ(x->setFromRbChain(*chain), Acad::eOk);
        ASSERT_EQ(nod->setAt(L"XREC", x, xId), Acad::eOk);
        x->close();
    }
    acutRelRb(chain);
    auto check = [&](AcDbDatabase& d, AcDbObjectId id, const char* where) {
        Opened<AcDbXrecord> x(id);
        ASSERT_TRUE(x) << where;
        resbuf* out = nullptr;
        ASSERT_EQ(x->rbChain(&out), Acad::eOk);
        resbuf* rb = out;
        auto next = [&](int code) {
            EXPECT_NE(rb, nullptr) << where << " code " << code;
            if (rb == nullptr) return false;
            EXPECT_EQ(rb->restype, code) << where;
            return rb->restype == code;
        };
        if (next(1)) { EXPECT_STREQ(rb->resval.rstring, L"text\nwith a line break") << where; }
        rb = rb->rbnext;
        if (next(10)) {
            EXPECT_EQ(rb->resval.rpoint[0], 1.5);
            EXPECT_EQ(rb->resval.rpoint[1], -2.5);
            EXPECT_EQ(rb->resval.rpoint[2], 3.25);
        }
        rb = rb->rbnext;
        if (next(40)) { EXPECT_EQ(rb->resval.rreal, 2.75); }
        rb = rb->rbnext;
        if (next(70)) { EXPECT_EQ(rb->resval.rint, 12); }
        rb = rb->rbnext;
        if (next(90)) { EXPECT_EQ(rb->resval.rlong, 123456); }
        rb = rb->rbnext;
        if (next(160)) { EXPECT_EQ(rb->resval.mnInt64, Adesk::Int64(1) << 40); }
        rb = rb->rbnext;
        if (next(290)) { EXPECT_EQ(rb->resval.rint, 1); }
        rb = rb->rbnext;
        if (next(310)) {
            ASSERT_EQ(rb->resval.rbinary.clen, 5);
            EXPECT_EQ(std::memcmp(rb->resval.rbinary.buf, bytes, 5), 0);
        }
        rb = rb->rbnext;
        if (next(330)) {
            AcDbObjectId ref;
            acdbGetObjectId(ref, rb->resval.rlname);
            EXPECT_EQ(ref.handle(), lineId.handle()) << where;
            EXPECT_EQ(ref.database(), &d);
        }
        rb = rb->rbnext;
        if (next(1000)) { EXPECT_STREQ(rb->resval.rstring, L"x"); }
        EXPECT_EQ(rb->rbnext, nullptr);
        acutRelRb(out);
    };
    check(db, xId, "memory");
    TempDir dir;
    for (const char* name : {"x.dxf", "x.dwg"}) {
        save(db, dir.file(name));
        AcDbDatabase back(false, true);
        open(back, dir.file(name));
        AcDbObjectId id;
        ASSERT_EQ(back.getAcDbObjectId(id, false, xId.handle()), Acad::eOk);
        check(back, id, name);
    }
}

}  // namespace

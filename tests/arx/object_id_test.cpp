// Object ids and handles: identity, null and validity, handles from ids and
// back (getAcDbObjectId), handles as hexadecimal text, and the open functions'
// statuses for ids that name nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "arx_test_util.h"

namespace {
using namespace arxtest;

TEST(ObjectId, NullIdIsNeitherValidNorErased)
{
    AcDbObjectId id;
    EXPECT_TRUE(id.isNull());
    EXPECT_FALSE(id.isValid());
    EXPECT_FALSE(id.isErased());
    EXPECT_TRUE(id.handle().isNull());
    EXPECT_EQ(id, AcDbObjectId::kNull);
    AcDbObject* obj = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eNullObjectId);
    EXPECT_EQ(obj, nullptr);
}

TEST(ObjectId, IdsCompareByIdentityAndKnowTheirDatabase)
{
    AcDbDatabase db;
    AcDbObjectId a = addLine(db), b = addLine(db);
    EXPECT_NE(a, b);
    EXPECT_TRUE(a.isValid());
    EXPECT_EQ(a.database(), &db);
    AcDbObjectId copy = a;
    EXPECT_EQ(copy, a);
    EXPECT_NE(a.handle(), b.handle());
    Opened<AcDbEntity> ent(a);
    ASSERT_TRUE(ent);
    EXPECT_EQ(ent->objectId(), a);
    AcDbHandle h;
    ent->getAcDbHandle(h);
    EXPECT_EQ(h, a.handle());
    EXPECT_EQ(ent->database(), &db);
    EXPECT_EQ(ent->ownerId(), db.modelSpaceId());
}

TEST(ObjectId, GetObjectIdFindsHandlesAndReservesNewOnes)
{
    AcDbDatabase db;
    AcDbObjectId line = addLine(db);
    AcDbObjectId found;
    EXPECT_EQ(db.getAcDbObjectId(found, false, line.handle()), Acad::eOk);
    EXPECT_EQ(found, line);
    EXPECT_EQ(db.getAcDbObjectId(found, false, AcDbHandle()), Acad::eNullHandle);
    EXPECT_TRUE(found.isNull());

    const AcDbHandle unused(db.handseed().value() + 100);
    EXPECT_EQ(db.getAcDbObjectId(found, false, unused), Acad::eUnknownHandle);
    EXPECT_TRUE(found.isNull());
    EXPECT_EQ(db.getAcDbObjectId(found, true, unused), Acad::eOk);
    ASSERT_FALSE(found.isNull());
    EXPECT_EQ(found.handle(), unused);
    EXPECT_FALSE(found.isResident());
    AcDbObjectId again;
    EXPECT_EQ(db.getAcDbObjectId(again, true, unused), Acad::eOk);
    EXPECT_EQ(again, found);
    // A reserved handle names no object yet, and new objects never take it.
    AcDbObject* obj = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(obj, found, AcDb::kForRead), Acad::eUnknownHandle);
    EXPECT_GT(db.handseed().value(), unused.value());
    AcDbObjectId next = addLine(db);
    EXPECT_GT(next.handle().value(), unused.value());
}

TEST(ObjectId, HandlesAsHexadecimalText)
{
    AcDbHandle h(0xABCDEF0123456789ull);
    // The largest handle fills the 17 characters a caller provides, and no more.
    ACHAR buf[18];
    std::fill(std::begin(buf), std::end(buf), L'#');
    h.getIntoAsciiBuffer(buf);
    EXPECT_STREQ(buf, L"ABCDEF0123456789");
    EXPECT_EQ(buf[17], L'#');
    EXPECT_EQ(AcDbHandle(L"ABCDEF0123456789"), h);
    EXPECT_EQ(AcDbHandle("abcdef0123456789"), h);

    AcDbHandle zero;
    zero.getIntoAsciiBuffer(buf);
    EXPECT_STREQ(buf, L"0");
    AcDbHandle small1(0x1F);
    small1.getIntoAsciiBuffer(buf);
    EXPECT_STREQ(buf, L"1F");
    // What is not a handle gives the null handle.
    EXPECT_TRUE(AcDbHandle(L"12G").isNull());
    EXPECT_TRUE(AcDbHandle(L"").isNull());
    EXPECT_TRUE(AcDbHandle("11112222333344445").isNull());  // 17 digits
    EXPECT_EQ(AcDbHandle(0x10u, 0x2u).value(), 0x200000010ull);
    AcDbHandle inc(0xFF);
    ++inc;
    EXPECT_EQ(inc.value(), 0x100u);
}

TEST(ObjectId, NewObjectsTakeTheNextHandle)
{
    AcDbDatabase db;
    AcDbHandle seed = db.handseed();
    AcDbObjectId id = addLine(db);
    EXPECT_EQ(id.handle(), seed);
    EXPECT_EQ(db.handseed().value(), seed.value() + 1);
}

TEST(ObjectId, ErrorStatusesHaveNames)
{
    EXPECT_STREQ(acadErrorStatusText(Acad::eOk), L"eOk");
    EXPECT_STREQ(acadErrorStatusText(Acad::eWasErased), L"eWasErased");
    EXPECT_STREQ(acadErrorStatusText(Acad::eOnLockedLayer), L"eOnLockedLayer");
    EXPECT_STREQ(acadErrorStatusText(Acad::eMakeMeProxy), L"eMakeMeProxy");
    EXPECT_EQ(Acad::eWasErased, 80);
    EXPECT_EQ(Acad::eOnLockedLayer, 87);
    EXPECT_EQ(Acad::eMakeMeProxy, 301);
    EXPECT_EQ(Acad::eNotInPaperspace, 141);
}

}  // namespace

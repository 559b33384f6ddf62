// Result buffers and host memory: building, copying and releasing chains and
// strings.
#include <gtest/gtest.h>

#include "arx_test_util.h"

namespace {
using namespace arxtest;

TEST(ResultBuffers, BuildCopyAndRelease)
{
    ads_point p = {1, 2, 3};
    resbuf* rb = acutBuildList(RTSTR, L"hello", RTREAL, 1.25, RTSHORT, 7, RTLONG, 70000, RT3DPOINT, p, RTLB, RTLE,
                               RTNONE);
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(rb->restype, RTSTR);
    EXPECT_STREQ(rb->resval.rstring, L"hello");
    EXPECT_EQ(rb->rbnext->resval.rreal, 1.25);
    EXPECT_EQ(rb->rbnext->rbnext->resval.rint, 7);
    EXPECT_EQ(rb->rbnext->rbnext->rbnext->resval.rlong, 70000);
    EXPECT_EQ(rb->rbnext->rbnext->rbnext->rbnext->resval.rpoint[2], 3);
    EXPECT_EQ(rb->rbnext->rbnext->rbnext->rbnext->rbnext->restype, RTLB);
    EXPECT_EQ(acutRelRb(rb), RTNORM);
    EXPECT_EQ(acutBuildList(9999, 1, RTNONE), nullptr);  // a type with no value form
    auto* buf = static_cast<char*>(acutNewBuffer(32));
    ASSERT_NE(buf, nullptr);
    acutDelBuffer(buf);
    EXPECT_EQ(buf, nullptr);
    ACHAR* copy = nullptr;
    acutNewString(L"abc", copy);
    EXPECT_STREQ(copy, L"abc");
    acutDelString(copy);
    EXPECT_EQ(copy, nullptr);
    ACHAR small[3];
    acutCopyString(small, 3, L"abcdef");
    EXPECT_STREQ(small, L"ab");
}

}  // namespace

// AcArray: appending stays cheap whatever the growth length.
#include <gtest/gtest.h>

#include "arx_test_util.h"

namespace {
using namespace arxtest;

TEST(Arrays, AppendingReallocatesRarelyWhateverTheGrowthLength)
{
    AcArray<int> a(0, 8);
    int reallocations = 0;
    int capacity = a.physicalLength();
    for (int i = 0; i < 100000; ++i) {
        a.append(i);
        if (a.physicalLength() != capacity) {
            ++reallocations;
            capacity = a.physicalLength();
        }
    }
    EXPECT_EQ(a.length(), 100000);
    EXPECT_EQ(a[99999], 99999);
    EXPECT_LT(reallocations, 40);  // growing by 8 each time would take 12,500
    EXPECT_EQ(a.physicalLength() % 8, 0);
    EXPECT_TRUE(a.remove(5));
    EXPECT_EQ(a.indexOf(6), 5);
}

}  // namespace
